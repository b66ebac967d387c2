// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes on the line, in every state of the session's transfers: the input
// is a script of steps. Each step's first byte chooses what happens (bytes
// put on the line, ticks, a command, the adapter pulled out or plugged back,
// the honest unit answering or not, a read failing), the bytes after it are
// its arguments. So arbitrary bytes reach the engine's receive path split at
// arbitrary points across ticks, while idle polling, in a read, a verify, a
// program (by hand or after a change) and during the unit's saving.
//
// Checked on every input (abort on violation):
//  - Verified only when the reply just handed on is an intact verify reply
//    whose 50 bytes equal those of the verify request sent in this transfer,
//    which are the editor's image;
//  - ImageStored only when the reply just handed on is an intact echo of the
//    block sent in this transfer;
//  - SavingFinished / SavingUnconfirmed only while a programming waits for
//    the saving, once each;
//  - no block of a transfer is sent more than five times;
//  - after the input ends, with the line silent, the engine is back to idle
//    polling within a bounded number of ticks, and no programming still waits
//    for its saving.
// Edits happen only as commands: a change starts a programming (program after
// change is on), so the image never changes under a running verify.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/device/frame.h"
#include "core/device/monitor.h"
#include "core/device/unit_info.h"
#include "core/session/editor_session.h"

namespace {

using namespace zelmo;

void Check(bool holds) {
  if (!holds) std::abort();
}

// The script, read from the front; zeros once it runs out.
class Script {
 public:
  Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return at_ >= size_; }
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::span<const std::uint8_t> take(std::size_t n) {
    n = std::min(n, size_ - at_);
    const std::span<const std::uint8_t> part(data_ + at_, n);
    at_ += n;
    return part;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// The line and, when answering, an honest unit at its far end.
class FuzzLink final : public SerialLink {
 public:
  std::deque<std::uint8_t> line;  // bytes waiting
  std::vector<Frame> written;
  bool plugged = true;
  bool isOpen = false;
  bool answering = false;
  bool failReads = false;
  Frame handedOn{};  // the first 52 bytes of the last read that had them

  // The honest unit.
  Payload stored{};
  UnitInfo info;
  std::uint16_t savingLeft = 0;

  FuzzLink() { info.bytes[unit_info::kProtocolVersion] = kProtocolVersion; }

  OpenResult open(int portNumber) override {
    OpenResult result;
    result.device = deviceFor(portNumber);
    if (!plugged) {
      result.error = OpenResult::Error::NotFound;
      result.reason = "unplugged";
      return result;
    }
    isOpen = true;
    return result;
  }
  void close() override {
    isOpen = false;
    line.clear();
  }
  std::size_t bytesWaiting() override { return isOpen ? line.size() : 0; }
  std::size_t read(std::span<std::uint8_t> into) override {
    if (!isOpen || failReads) return 0;
    const std::size_t n = std::min(into.size(), line.size());
    std::copy_n(line.begin(), n, into.begin());
    if (n >= kFrameSize) std::copy_n(line.begin(), kFrameSize, handedOn.begin());
    line.erase(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
  }
  void write(std::span<const std::uint8_t, kFrameSize> frame) override {
    Frame f;
    std::ranges::copy(frame, f.begin());
    written.push_back(f);
    if (isOpen && plugged && answering) answer(f);
  }
  std::string deviceFor(int portNumber) const override { return "/dev/ttyFUZZ" + std::to_string(portNumber); }

  void put(std::span<const std::uint8_t> bytes) {
    if (plugged) line.insert(line.end(), bytes.begin(), bytes.end());
  }
  void put(const Frame& frame) { put(std::span<const std::uint8_t>(frame)); }
  void unplug() {
    plugged = false;
    close();
  }

 private:
  void answer(const Frame& request) {
    if (!FrameIntact(request)) return;
    const std::uint8_t reply = request[0] ^ kReplyBit;
    switch (request[0]) {
      case kPollCommand: {
        MonitorData data;
        data.protocolVersion = kProtocolVersion;
        data.savingCountdown = savingLeft;
        savingLeft = static_cast<std::uint16_t>(savingLeft > 40 ? savingLeft - 40 : 0);
        put(EncodeMonitorFrame(data));
        break;
      }
      case kProgramInfo:
      case kReadInfo:
        put(BuildFrame(reply, info.bytes));
        break;
      case kProgramImage:
        std::ranges::copy(PayloadOf(request), stored.begin());
        savingLeft = 110;
        put(BuildFrame(reply, stored));
        break;
      case kReadImage:
        put(BuildFrame(reply, stored));
        break;
      default:
        break;
    }
  }
};

Payload PayloadBytes(std::span<const std::uint8_t, kFrameSize> frame) {
  Payload p{};
  std::ranges::copy(PayloadOf(frame), p.begin());
  return p;
}

class Harness final : public SessionListener {
 public:
  FuzzLink link;
  EditorSession session{link, *this, {}};
  int insideTicks = 0;  // ticks run while a message "box" is open
  std::size_t transferStart = 0;  // written.size() when the running transfer began
  bool stored = false;            // ImageStored came in this transfer
  bool awaitingSaving = false;    // a programming verified, its saving not yet reported
  long ticks = 0;
  // The sends of the block now being sent: the transfer frames written since
  // the transfer began, counted up to the last change of block.
  std::size_t counted = 0;        // written frames looked at
  std::optional<std::uint8_t> blockCode;
  int blockSends = 0;

  const ParameterImage& image() const { return static_cast<const EditorSession&>(session).image(); }

  void tick() {
    ++ticks;
    session.tick();
    const DeviceDisplay& shown = session.engine().display();
    Check(shown.gauge.position >= 0 && shown.gauge.position <= shown.gauge.maximum);
    countSends();
  }

  // Each block goes out five times at most before the transfer gives up. A
  // new code is a new block; the verify after a read sends block 1 again, as
  // a new block that begins at ImageRead.
  void countSends() {
    for (; counted < link.written.size(); ++counted) {
      const std::uint8_t code = link.written[counted][0];
      if (code == kPollCommand) continue;
      if (code != blockCode) {
        blockCode = code;
        blockSends = 0;
      }
      Check(++blockSends <= 5);
    }
  }
  void newBlock() {
    countSends();
    blockCode.reset();
    blockSends = 0;
  }

  // Before a command that starts a transfer: nothing of the last one is
  // waited for any more.
  void beginTransfer() {
    newBlock();
    transferStart = link.written.size();
    stored = false;
    awaitingSaving = false;
  }

  // The last frame sent with that code in the running transfer.
  const Frame* lastSent(std::uint8_t code) const {
    for (std::size_t i = link.written.size(); i > transferStart; --i) {
      if (link.written[i - 1][0] == code) return &link.written[i - 1];
    }
    return nullptr;
  }

  // A reply just handed on to the engine answers `request` with the same 50 bytes.
  void checkAnswer(std::uint8_t request) const {
    const Frame* sent = lastSent(request);
    Check(sent != nullptr);
    Check(FrameIntact(link.handedOn) && link.handedOn[0] == (request ^ kReplyBit));
    const Payload answered = PayloadBytes(link.handedOn);
    Check(answered == PayloadBytes(*sent));
    Check(std::ranges::equal(answered, image().image()));
  }

  // SessionListener
  void imageChanged(bool /*rescaleGraph*/) override {}
  void sessionEvent(SessionEvent event) override {
    switch (event) {
      case SessionEvent::ImageRead:
        newBlock();
        break;
      case SessionEvent::ImageStored:
        checkAnswer(kProgramImage);
        stored = true;
        break;
      case SessionEvent::Verified:
        checkAnswer(kReadImage);
        if (stored) awaitingSaving = true;
        stored = false;
        break;
      case SessionEvent::VerifyFailed:
      case SessionEvent::ProgramFailed:
        stored = false;
        break;
      case SessionEvent::SavingFinished:
      case SessionEvent::SavingUnconfirmed:
        Check(awaitingSaving);
        awaitingSaving = false;
        break;
      default:
        break;
    }
  }
  void message(std::string_view /*text*/) override {
    if (depth_ > 0) return;
    ++depth_;
    for (int i = 0; i < insideTicks; ++i) tick();
    --depth_;
  }
  void warning(std::string_view /*text*/) override {}

 private:
  int depth_ = 0;
};

constexpr long kTickBudget = 3000;  // per input, before the end
constexpr int kEndTicks = 60;       // idle again within this, once the line is silent

ParameterImage Changed(const ParameterImage& image, std::uint8_t how) {
  ParameterImage fields = image;
  // A field of the 55 bytes, one up: anything the fields can hand in.
  fields.area[how % kAreaSize] = static_cast<std::uint8_t>(fields.area[how % kAreaSize] + 1);
  return fields;
}

Frame ReplyFrame(Script& script, const Harness& h, int source) {
  const std::uint8_t code = script.byte();
  Payload payload{};
  switch (source) {
    case 0:
      std::ranges::copy(h.image().image(), payload.begin());
      break;
    case 1:
      payload = h.link.stored;
      break;
    case 2:
      std::ranges::copy(h.link.info.bytes, payload.begin());
      break;
    default: {
      const auto bytes = script.take(kPayloadSize);
      std::ranges::copy(bytes, payload.begin());
      break;
    }
  }
  const std::uint8_t at = script.byte();
  payload[at % kPayloadSize] ^= script.byte();
  return BuildFrame(code, payload);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Script script(data, size);
  Harness h;
  h.insideTicks = script.byte() % 8;
  std::ranges::copy(h.image().image(), h.link.stored.begin());
  h.session.begin(h.image(), StoredChoices{kEnglish, 0, 0}, {});
  // Every later change starts a programming: the first recorded step with
  // the box ticked arms the rule even when nothing changed.
  h.session.setProgramAfterChange(true);
  h.session.applyFields(h.image());
  Check(h.session.engine().transferState() == TransferState::Idle);
  h.session.openPort();

  while (!script.done() && h.ticks < kTickBudget) {
    const std::uint8_t op = script.byte();
    const int arg = op >> 4;
    switch (op & 0x0F) {
      case 0:  // bytes on the line, then some ticks
        h.link.put(script.take(script.byte()));
        for (int i = 0; i < arg; ++i) h.tick();
        break;
      case 2:
        h.beginTransfer();
        h.session.startRead();
        break;
      case 3:
        h.beginTransfer();
        h.session.startVerify(arg & 1 ? Changed(h.image(), script.byte()) : h.image());
        break;
      case 4:
        h.beginTransfer();
        h.session.startProgram(arg & 1 ? Changed(h.image(), script.byte()) : h.image());
        break;
      case 5:  // a change in a field, programmed after it
        h.beginTransfer();
        h.session.applyFields(Changed(h.image(), script.byte()));
        Check(h.session.engine().transferState() == TransferState::Program);
        break;
      case 6:
        h.link.unplug();
        break;
      case 7:
        h.link.plugged = true;
        break;
      case 8:
        h.link.answering = (arg & 1) != 0;
        h.link.failReads = (arg & 2) != 0;
        break;
      case 9:
        h.session.choosePort(script.byte() % 22);
        break;
      case 10: {  // a monitor frame
        MonitorData monitor;
        monitor.savingCountdown = static_cast<std::uint16_t>(script.byte() | (arg & 1 ? script.byte() << 8 : 0));
        monitor.protocolVersion = arg & 2 ? script.byte() : kProtocolVersion;
        monitor.engineRpm = static_cast<std::uint16_t>(script.byte() * 50);
        h.link.put(EncodeMonitorFrame(monitor));
        break;
      }
      case 11:  // an intact frame of any code
        h.link.put(ReplyFrame(script, h, arg & 3));
        break;
      case 12: {  // undo or redo, programmed after it when it restores
        const bool redo = (arg & 1) != 0;
        const bool restores = redo ? h.session.canRedo() : h.session.canUndo();
        const ParameterImage before = h.image();
        if (restores) h.beginTransfer();
        if (redo) {
          h.session.redo();
        } else {
          h.session.undo();
        }
        Check(restores ? h.session.engine().transferState() == TransferState::Program : h.image() == before);
        break;
      }
      default:
        for (int i = 0; i <= arg; ++i) h.tick();
        break;
    }
  }

  // The input is over: the adapter back, the unit silent.
  h.link.plugged = true;
  h.link.answering = false;
  h.link.failReads = false;
  int t = 0;
  while (h.session.engine().transferState() != TransferState::Idle) {
    Check(++t <= kEndTicks);
    h.tick();
  }
  const std::size_t sent = h.link.written.size();
  for (int i = 0; i < 6; ++i) h.tick();
  Check(std::any_of(h.link.written.begin() + static_cast<std::ptrdiff_t>(sent), h.link.written.end(),
                    [](const Frame& f) { return f == PollFrame(); }));
  for (int i = 0; i < kEndTicks && h.awaitingSaving; ++i) h.tick();
  Check(!h.awaitingSaving);
  h.countSends();
  return 0;
}
