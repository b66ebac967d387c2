#pragma once
// The whole device side of one 55 ms tick: receive, transfer step or poll,
// message countdown, connection supervision with port reopening, and the
// breakpoint nearest to the live speed. The window, the command-line tool and
// the tests drive the same engine; it reports through plain display state and
// the DeviceHost callbacks, never through widgets.
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

// Milestones of a transfer, for owners that follow it (the command-line tool's
// exit status, a history of reads and programmings). Each comes once the
// engine's state is settled, so the owner may start another command from it.
enum class TransferEvent {
  UnitInfoAccepted,  // block 0 came with the right parameter-set version
  ImageRead,         // a Read copied block 1 into the image (already ordered)
  ImageStored,       // the unit echoed the programmed block correctly
  VerifyOk,          // the unit holds what the image holds; the transfer is over
  ReadFailed,        // five sends without an accepted reply, by state
  VerifyFailed,
  ProgramFailed,
  VersionMismatch,   // block 0 named another parameter-set version; nothing written
};

// What the window must do for the engine; the command-line tool and the tests
// provide their own.
class DeviceHost {
 public:
  virtual ~DeviceHost() = default;
  virtual void controlsToImage() = 0;        // Verify and Program read the controls first
  virtual void orderBreakpoints() = 0;       // the window's pass (image, memory, stored choices)
  virtual void imageToControls() = 0;        // also shows the firmware texts
  virtual void requestGraphRescale() = 0;
  virtual void graphTick() = 0;              // step 2 of the tick
  virtual void fileNameCleared() = 0;        // Read: the caption names no file
  // A modal message; the window runs a nested loop in which ticks go on.
  virtual void showMessage(std::string_view text) = 0;
  virtual bool blockingLabelsShown() const = 0;  // CheckBoxBlokEnable ticked
  virtual bool printingMode() const = 0;
  virtual void clearPrintingMode() = 0;      // every open does it
  virtual void transferEvent(TransferEvent /*event*/) {}
  virtual void monitorFrame(const MonitorData& /*data*/) {}  // every accepted monitor frame
};

// Everything the device side shows. Compare DeviceEngine::revision() with the
// last one seen to refresh widgets only after a change.
struct DeviceDisplay {
  LabelState operation;       // LabelHlaseni
  GaugeState gauge;           // CGaugeProgram
  bool noConnection = true;   // LabelSpojeni, shown until the unit answers
  std::string comLabel;       // LabelCom: "COM= COM3", with the device beside it when known
  int comCheckIndex = -1;     // the Com menu item carrying the check mark
  UnitInfoTexts firmware;     // LabelVerze1..3
  MonitorLabels monitor;      // monitor.version is also hidden while noConnection
  NearestPoint nearest;       // the speed and advance edits shown in lime

  bool operator==(const DeviceDisplay&) const = default;
};

class DeviceEngine {
 public:
  static constexpr std::uint8_t kStartSilence = 18;
  static constexpr std::uint8_t kMessageTicks = 200;

  // All references must outlive the engine. choices: languageId, selectedComIndex
  // and autoPortIndex, which the engine reads and the Com menu and the scan change.
  DeviceEngine(SerialLink& link, DeviceHost& host, ParameterImage& image, const MessageTable& messages,
               StoredChoices& choices);
  DeviceEngine(const DeviceEngine&) = delete;
  DeviceEngine& operator=(const DeviceEngine&) = delete;

  void openPort();
  void closePort();
  // One of the 21 Com menu items (20 is "Com Auto"); others are ignored.
  void menuComClick(int index);
  void menuReadClick();
  void menuVerifyClick();
  void menuProgramClick();
  // Program after a change: sends nothing now, the tick sends within 4 ticks.
  void startAutoProgram();
  // The printout's stamp line: the operation label shows it on button face for
  // the usual 200 ticks, the gauge hidden. Without a stamp the label keeps its text.
  void showStamp(std::optional<std::string_view> stamp);
  // Hides the operation label at once; a running countdown shows it again at
  // the next tick.
  void hideOperation() { setOperationVisible(false); }
  // One Timer1Timer. Safe to re-enter from inside DeviceHost::showMessage.
  void tick();

  const DeviceDisplay& display() const { return display_; }
  // Grows whenever display() changes.
  std::uint64_t revision() const { return revision_; }

  TransferState transferState() const { return transferState_; }
  std::uint8_t transferCommand() const { return transferCommand_; }
  std::uint8_t transferBlock() const { return transferBlock_; }
  std::uint8_t retryTicks() const { return retryTicks_; }
  std::uint8_t attempts() const { return attempts_; }
  std::uint8_t messageTicks() const { return messageTicks_; }
  bool programDone() const { return programDone_; }
  std::uint8_t silenceTicks() const { return silenceTicks_; }
  std::uint8_t reopenTicks() const { return reopenTicks_; }
  std::uint8_t quietOpen() const { return quietOpen_; }
  std::uint16_t savingCountdown() const { return savingCountdown_; }
  std::uint16_t liveRpm() const { return liveRpm_; }
  std::uint8_t nearestPoint() const { return display_.nearest.nearestPoint; }
  bool belowCurve() const { return display_.nearest.belowCurve; }
  const UnitInfo& unitInfo() const { return unitInfo_; }
  const UnitInfoTexts& unitTexts() const { return display_.firmware; }
  const MonitorData& lastMonitor() const { return lastMonitor_; }
  // The 50 parameter bytes of the last block-1 reply (Read, Program echo or
  // Verify), also when it did not match the image.
  const std::optional<Payload>& lastUnitImage() const { return lastUnitImage_; }
  // The 1-based port number the next open uses, and the result of the last open.
  int portNumber() const;
  const OpenResult& lastOpenResult() const { return lastOpen_; }

 private:
  void receive();
  void decodeMonitor(const Frame& frame);
  void handleReply(const Frame& frame);
  void requestImageBlock();
  std::span<const std::uint8_t, kPayloadSize> keepUnitImage(const Frame& frame);
  void handleRead(const Frame& frame);
  void handleVerify(const Frame& frame);
  void handleProgram(const Frame& frame);
  bool acceptUnitInfo(const Frame& frame);
  void versionMismatch(bool refreshControls);
  void goVerify();
  void sendTransferFrame();
  void sendPollFrame();
  void startCommand(Operation operation);
  void transferStep();
  void idleStep();
  void messageCountdown();
  void supervise();
  void reportOpenFailure(const OpenResult& result);

  void setOperation(std::string_view text, Colour colour);
  void setOperationVisible(bool visible);
  void setGauge(int maximum, int position);
  void setGaugePosition(int position);
  void setGaugeVisible(bool visible);
  void setNoConnection(bool visible);
  void changed() { ++revision_; }

  SerialLink& link_;
  DeviceHost& host_;
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
  std::uint8_t silenceTicks_ = kStartSilence;
  std::uint8_t reopenTicks_ = 0;
  std::uint8_t quietOpen_ = 0;
  std::uint16_t savingCountdown_ = 0;
  std::uint16_t liveRpm_ = 0;
  UnitInfo unitInfo_;
  MonitorData lastMonitor_;
  std::optional<Payload> lastUnitImage_;
  OpenResult lastOpen_;
};

}  // namespace zelmo
