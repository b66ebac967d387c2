// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole device side of one 55 ms tick: receive, transfer step or poll,
// message countdown, connection supervision with port reopening, and the
// breakpoint nearest to the live speed. The editor session drives it for the
// window and the command-line tool, the tests drive it directly; it reports
// through plain display state and EngineListener events, never through widgets.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/display_state.h"
#include "core/device/frame.h"
#include "core/device/monitor.h"
#include "core/device/serial_link.h"
#include "core/device/unit_info.h"
#include "core/lang/texts.h"
#include "core/model/ordering.h"
#include "core/model/parameter_image.h"

namespace zelmo {

enum class TransferState : std::uint8_t { Idle = 0, Program = 1, Verify = 2, Read = 3 };

// Milestones of a transfer. Each comes once the engine's state is settled, so
// the listener may start another command from it; one that answers ImageRead
// or UnitInfoAccepted may still put the image in order before the engine goes
// on with it.
enum class TransferEvent {
  UnitInfoAccepted,  // block 0 came with the right parameter-set version
  ImageRead,         // a Read copied block 1 into the image; the verify follows
  ImageStored,       // the unit echoed the programmed block correctly
  VerifyOk,          // the unit holds what the image holds; the transfer is over
  ReadFailed,        // five sends without an accepted reply, by state
  VerifyFailed,
  ProgramFailed,
  VersionMismatch,   // block 0 named another parameter-set version; nothing written
};

// What the engine tells its owner. Events only: the engine never asks for
// anything, and the owner does its own chores in reaction.
class EngineListener {
 public:
  virtual void transferEvent(TransferEvent event) = 0;
  // Every accepted monitor frame.
  virtual void monitorFrame(const MonitorData& /*data*/) {}
  // "No Connection" appeared (false) or the unit answered again (true).
  virtual void connectionChanged(bool /*connected*/) {}
  // A port that was chosen by hand could not be opened; the text names the
  // device and the reason. The owner shows it modally; ticks may go on meanwhile.
  virtual void portOpenFailed(std::string_view /*text*/) {}

 protected:
  ~EngineListener() = default;
};

// Everything the device side shows. Compare DeviceEngine::revision() with the
// last one seen to refresh widgets only after a change.
struct DeviceDisplay {
  // Visibility here is the engine's: the print appearance hides the operation
  // label and "No Connection" on its own.
  LabelState operation;       // LabelHlaseni
  GaugeState gauge;           // CGaugeProgram
  bool saving = false;        // the operation label and the gauge show the unit's saving progress,
                              // only after a transfer that succeeded
  bool noConnection = true;   // LabelSpojeni, shown until the unit answers
  std::string comLabel;       // LabelCom: "COM= COM3", with the device beside it when known
  int comCheckIndex = -1;     // the Com menu item carrying the check mark
  UnitInfoTexts firmware;     // LabelVerze1..3
  MonitorLabels monitor;      // the placeholders while noConnection: nothing stale passes for live
  NearestPoint nearest;       // the speed and advance edits shown in lime; none while noConnection

  bool operator==(const DeviceDisplay&) const = default;
};

class DeviceEngine {
 public:
  static constexpr std::uint8_t kStartSilence = 18;
  static constexpr std::uint8_t kMessageTicks = 200;

  // All references must outlive the engine. The image is the owner's: the
  // engine sends it and a Read writes into it. choices: languageId,
  // selectedComIndex and autoPortIndex, which the engine reads and the port
  // choice and the scan change.
  DeviceEngine(SerialLink& link, EngineListener& listener, ParameterImage& image, const MessageTable& messages,
               StoredChoices& choices);
  DeviceEngine(const DeviceEngine&) = delete;
  DeviceEngine& operator=(const DeviceEngine&) = delete;

  void openPort();
  void closePort();
  // One of the 21 Com menu items (20 is "Com Auto"); others are ignored.
  void choosePort(int index);
  // The owner has put the image in order before Verify and Program.
  void startRead();
  void startVerify();
  void startProgram();
  // Program after a change: sends nothing now, the tick sends within 4 ticks.
  void startAutoProgram();
  // The printout's stamp line: the operation label shows it on button face for
  // the usual 200 ticks, the gauge hidden. Without a stamp the label keeps its text.
  void showStamp(std::optional<std::string_view> stamp);
  // Hides the operation label at once; a running countdown shows it again at
  // the next tick.
  void hideOperation() { setOperationVisible(false); }
  // Ends the message countdown at once: a stamp whose printout failed does
  // not come back at the next tick.
  void withdrawMessage() {
    messageTicks_ = 0;
    setOperationVisible(false);
  }
  // One tick of the 55 ms timer. Receiving hands on at most one frame: the
  // first 52 of the bytes waiting, read in one go; what came after them in
  // that read is dropped, and bytes still queued wait for the next tick.
  // Safe to re-enter from inside a listener that runs a nested event loop.
  void tick();

  const DeviceDisplay& display() const { return display_; }
  // Grows whenever display() changes.
  std::uint64_t revision() const { return revision_; }

  TransferState transferState() const { return transferState_; }
  std::uint8_t silenceTicks() const { return silenceTicks_; }
  // The engine speed of the last accepted frame; 0 while "No Connection" shows.
  std::uint16_t liveRpm() const { return liveRpm_; }
  std::uint8_t nearestPoint() const { return display_.nearest.nearestPoint; }
  bool belowCurve() const { return display_.nearest.belowCurve; }
  const UnitInfo& unitInfo() const { return unitInfo_; }
  const UnitInfoTexts& unitTexts() const { return display_.firmware; }
  // The 50 parameter bytes of the last block-1 reply (Read, Program echo or
  // Verify), also when it did not match the image.
  const std::optional<Payload>& lastUnitImage() const { return lastUnitImage_; }
  // The result of the last open.
  const OpenResult& lastOpenResult() const { return lastOpen_; }

 private:
  // The 1-based port number the next open uses.
  int portNumber() const;
  void receive();
  void decodeMonitor(const Frame& frame);
  void handleReply(const Frame& frame);
  void requestImageBlock();
  std::span<const std::uint8_t, kPayloadSize> keepUnitImage(const Frame& frame);
  void handleRead(const Frame& frame);
  void handleVerify(const Frame& frame);
  void handleProgram(const Frame& frame);
  bool acceptUnitInfo(const Frame& frame);
  void versionMismatch();
  void goVerify();
  void sendTransferFrame();
  void sendPollFrame();
  void startCommand(Operation operation);
  void transferStep();
  void idleStep();
  void messageCountdown();
  void supervise();
  void forgetLiveValues();
  void reportOpenFailure(const OpenResult& result);

  void setOperation(std::string_view text, Colour colour);
  void setOperationVisible(bool visible);
  void setGauge(int maximum, int position);
  void setGaugePosition(int position);
  void setSaving(bool saving);
  void setGaugeVisible(bool visible);
  void setNoConnection(bool visible);
  void changed() { ++revision_; }

  SerialLink& link_;
  EngineListener& listener_;
  ParameterImage& image_;
  const MessageTable& messages_;
  StoredChoices& choices_;

  std::vector<std::uint8_t> rxBuffer_;
  DeviceDisplay display_;
  std::uint64_t revision_ = 0;

  TransferState transferState_ = TransferState::Idle;
  std::uint8_t transferCommand_ = 0;
  std::uint8_t transferBlock_ = 0;
  std::uint8_t retryTicks_ = 0;
  std::uint8_t attempts_ = 0;
  std::uint8_t messageTicks_ = 0;
  bool programDone_ = false;
  // The last Read, Verify or Program (also one after a change) ended in a
  // successful verify: only then does the unit's saving progress show.
  bool lastTransferOk_ = false;
  std::uint8_t silenceTicks_ = kStartSilence;
  std::uint8_t reopenTicks_ = 0;
  std::uint8_t quietOpen_ = 0;
  std::uint16_t savingCountdown_ = 0;
  std::uint16_t liveRpm_ = 0;
  UnitInfo unitInfo_;
  std::optional<Payload> lastUnitImage_;
  OpenResult lastOpen_;
};

}  // namespace zelmo
