// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test support: an in-memory serial link, a scripted unit answering on it and
// a listener that records what the engine reports. The session tests use the
// link and the unit too.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/device_engine.h"
#include "core/device/frame.h"
#include "core/device/monitor.h"
#include "core/device/unit_info.h"
#include "core/lang/texts.h"
#include "core/model/ordering.h"
#include "core/model/presets.h"

namespace zelmo::test {

// The unit at the other end: answers each frame the way the real one does,
// with faults on request.
struct FakeUnit {
  Payload stored{};
  UnitInfo info;
  MonitorData monitor;
  bool silent = false;
  int badEchoes = 0;         // that many program echoes come back with one byte changed
  bool corruptNext = false;  // the next reply gets a wrong check byte
  int programmings = 0;

  FakeUnit() {
    info.bytes[unit_info::kProtocolVersion] = kProtocolVersion;
    monitor.protocolVersion = kProtocolVersion;
  }

  std::optional<Frame> answer(const Frame& request) {
    if (silent) return std::nullopt;
    std::optional<Frame> reply = replyTo(request);
    if (reply && corruptNext) {
      (*reply)[kFrameSize - 1] ^= 0x01;
      corruptNext = false;
    }
    return reply;
  }

 private:
  std::optional<Frame> replyTo(const Frame& request) {
    const std::uint8_t code = request[0];
    const std::uint8_t reply = code ^ kReplyBit;
    if (code == kPollCommand) return EncodeMonitorFrame(monitor);
    if (code == kProgramInfo || code == kReadInfo) return BuildFrame(reply, info.bytes);
    if (code == kProgramImage) {
      std::copy(request.begin() + 1, request.begin() + 1 + kPayloadSize, stored.begin());
      ++programmings;
      Payload echo = stored;
      if (badEchoes > 0) {
        --badEchoes;
        echo[3] ^= 0x01;
      }
      return BuildFrame(reply, echo);
    }
    if (code == kReadImage) return BuildFrame(reply, stored);
    return std::nullopt;
  }
};

class FakeLink : public SerialLink {
 public:
  FakeUnit* unit = nullptr;        // answers every write when set
  std::deque<std::uint8_t> input;  // bytes waiting
  std::vector<Frame> written;
  std::vector<int> opened;   // port numbers, in order
  std::set<int> missing;     // ports whose open fails
  std::set<int> notForScan;  // ports the automatic search must leave alone
  OpenResult::Error missingError = OpenResult::Error::NotFound;
  int closes = 0;
  bool isOpen = false;
  bool failReads = false;
  std::size_t lastReadSize = 0;

  OpenResult open(int portNumber) override {
    opened.push_back(portNumber);
    OpenResult result;
    result.device = deviceFor(portNumber);
    if (missing.contains(portNumber)) {
      result.error = missingError;
      result.reason = "No such file or directory";
      isOpen = false;
    } else {
      isOpen = true;
    }
    return result;
  }
  void close() override {
    ++closes;
    isOpen = false;
  }
  std::size_t bytesWaiting() override { return isOpen ? input.size() : 0; }
  std::size_t read(std::span<std::uint8_t> into) override {
    lastReadSize = into.size();
    if (failReads) return 0;
    const std::size_t n = std::min(into.size(), input.size());
    std::copy_n(input.begin(), n, into.begin());
    input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
  }
  void write(std::span<const std::uint8_t, kFrameSize> frame) override {
    Frame f;
    std::copy(frame.begin(), frame.end(), f.begin());
    written.push_back(f);
    if (!isOpen || unit == nullptr) return;
    if (auto reply = unit->answer(f)) push(*reply);
  }
  std::string deviceFor(int portNumber) const override { return "/dev/ttyFAKE" + std::to_string(portNumber); }
  bool scanMayOpen(int portNumber) const override { return !notForScan.contains(portNumber); }
  std::string nameToRemember(int portNumber) const override {
    return portNumber == 2 ? "" : "/dev/serial/by-id/fake-" + std::to_string(portNumber);
  }
  std::map<int, std::string> bound;
  void bindPorts(const std::map<int, std::string>& overrides) override { bound = overrides; }

  void push(const Frame& frame) { input.insert(input.end(), frame.begin(), frame.end()); }
  int countWritten(std::uint8_t code) const {
    return static_cast<int>(
        std::count_if(written.begin(), written.end(), [code](const Frame& f) { return f[0] == code; }));
  }
};

// Records what the engine tells its owner, and nothing more: a pure engine
// test has no one to put the image in order or to read fields.
class RecordingListener final : public EngineListener {
 public:
  std::vector<TransferEvent> events;
  std::vector<MonitorData> monitorFrames;
  std::vector<bool> connections;  // connectionChanged, in order
  std::vector<std::string> openFailures;
  std::function<void()> insideOpenFailure;     // runs while the "box" is open
  std::function<void(TransferEvent)> onEvent;  // runs inside transferEvent

  void transferEvent(TransferEvent event) override {
    events.push_back(event);
    if (onEvent) onEvent(event);
  }
  void monitorFrame(const MonitorData& data) override { monitorFrames.push_back(data); }
  void connectionChanged(bool connected) override { connections.push_back(connected); }
  void portOpenFailed(std::string_view text) override {
    openFailures.emplace_back(text);
    if (insideOpenFailure) insideOpenFailure();
  }
};

// An engine on COM1 with a healthy unit holding the default parameters, in English.
struct Bench {
  ParameterImage image;
  MessageTable messages;
  StoredChoices choices;
  FakeUnit unit;
  FakeLink link;
  RecordingListener listener;
  DeviceEngine engine{link, listener, image, messages, choices};

  Bench() {
    choices.selectedComIndex = 0;
    image = NewParameters(0);
    FillMessageTable(messages, kEnglish);
    std::copy(image.area.begin(), image.area.begin() + kPayloadSize, unit.stored.begin());
    link.unit = &unit;
  }

  void ticks(int n) {
    for (int i = 0; i < n; ++i) engine.tick();
  }
  // Ticks until the transfer is over (at most n).
  int untilIdle(int n = 100) {
    for (int i = 1; i <= n; ++i) {
      engine.tick();
      if (engine.transferState() == TransferState::Idle) return i;
    }
    return -1;
  }
};

}  // namespace zelmo::test
