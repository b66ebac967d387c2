// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/device_engine.h"

#include "core/device/port_names.h"
#include "core/lang/pattern.h"

#include <algorithm>
#include <cstdio>

namespace zelmo {

namespace {

constexpr std::uint8_t kResendTicks = 4;
constexpr std::uint8_t kPollTicks = 6;
constexpr std::uint8_t kMaxSends = 5;
constexpr std::uint8_t kSilenceLimit = 18;
constexpr std::uint8_t kReopenTicks = 30;
constexpr std::uint8_t kReopenAtOnce = 200;
constexpr std::uint8_t kHighestAutoIndex = 20;
constexpr int kSavingStart = 110;
constexpr std::size_t kDeviceNamePrefix = 4;  // the "\\.\" before "COMn"
constexpr std::size_t kComLabelChars = 10;

}  // namespace

DeviceEngine::DeviceEngine(SerialLink& link, EngineListener& listener, ParameterImage& image,
                           const MessageTable& messages, StoredChoices& choices)
    : link_(link), listener_(listener), image_(image), messages_(messages), choices_(choices), rxBuffer_(kReadCap) {}

int DeviceEngine::portNumber() const { return ComPortNumber(choices_.selectedComIndex, choices_.autoPortIndex); }

// ---- port -------------------------------------------------------------------

void DeviceEngine::openPort() {
  const int number = portNumber();
  char deviceName[32];
  std::snprintf(deviceName, sizeof deviceName, "\\\\.\\COM%d", number);
  const std::string_view port = std::string_view(deviceName).substr(kDeviceNamePrefix, kComLabelChars);
  std::string label = "COM= ";
  label += port;
  // Where ports have no numbers the device behind the number is what the user knows.
  const std::string device = link_.deviceFor(number);
  if (!device.empty() && device != port) {
    label += "  ";
    label += device;
  }
  if (display_.comLabel != label) {
    display_.comLabel = std::move(label);
    changed();
  }

  if (choices_.selectedComIndex == kAutoComIndex && !link_.scanMayOpen(number)) {
    // Left as if it could not be opened: the scan moves on at the next tick.
    lastOpen_ = OpenResult{OpenResult::Error::NotFound, device, "not a USB serial adapter nor bound to a number"};
  } else {
    lastOpen_ = link_.open(number);
  }

  // Everything is settled before the message box: ticks run inside it.
  const int check = choices_.selectedComIndex < kComItemCount ? choices_.selectedComIndex : -1;
  if (display_.comCheckIndex != check) {
    display_.comCheckIndex = check;
    changed();
  }
  if (lastOpen_.ok()) return;
  if (choices_.selectedComIndex == kAutoComIndex) {
    reopenTicks_ = kReopenAtOnce;
  } else if (quietOpen_ == 0) {
    reportOpenFailure(lastOpen_);
  }
}

void DeviceEngine::reportOpenFailure(const OpenResult& result) {
  const std::uint8_t lang = choices_.languageId;
  std::string text = messages_.comOpenError;
  const auto line = [&text](std::string_view more) {
    text += '\n';
    text += more;
  };
  const std::string device = result.device.empty() ? link_.deviceFor(portNumber()) : result.device;
  if (!device.empty()) line(FillText(ExtraText(Extra::PortDevice, lang), device));
  if (!result.reason.empty()) line(FillText(ExtraText(Extra::PortOtherError, lang), result.reason));
  switch (result.error) {
    case OpenResult::Error::PermissionDenied:
      line(ExtraText(Extra::PortPermissionDenied, lang));
      break;
    case OpenResult::Error::Busy:
      line(ExtraText(Extra::PortBusy, lang));
      break;
    case OpenResult::Error::NotFound:
      line(ExtraText(Extra::PortNotFound, lang));
      break;
    case OpenResult::Error::Other:
    case OpenResult::Error::None:
      break;
  }
  listener_.portOpenFailed(text);
}

void DeviceEngine::closePort() { link_.close(); }

void DeviceEngine::choosePort(int index) {
  if (index < 0 || index >= kComItemCount) return;
  choices_.selectedComIndex = static_cast<std::uint8_t>(index);
  closePort();
  quietOpen_ = 0;
  openPort();
}

// ---- commands ---------------------------------------------------------------

void DeviceEngine::startCommand(Operation operation) {
  const auto caption = OperationCaption(operation, choices_.languageId);
  setOperation(caption ? *caption : std::string_view(display_.operation.text), Colour::ButtonFace);
  messageTicks_ = kMessageTicks;
  setOperationVisible(true);
  setGaugePosition(0);
  setGaugeVisible(true);
  lastTransferOk_ = false;
}

void DeviceEngine::startRead() {
  startCommand(Operation::Read);
  transferState_ = TransferState::Read;
  transferCommand_ = kReadInfo;
  attempts_ = 1;
  programDone_ = false;
  sendTransferFrame();
}

void DeviceEngine::startVerify() {
  startCommand(Operation::Verify);
  transferState_ = TransferState::Verify;
  transferCommand_ = kReadImage;
  attempts_ = 1;
  sendTransferFrame();
}

void DeviceEngine::startProgram() {
  startCommand(Operation::Program);
  transferState_ = TransferState::Program;
  transferCommand_ = kProgramInfo;
  attempts_ = 1;
  sendTransferFrame();
}

void DeviceEngine::startAutoProgram() {
  transferState_ = TransferState::Program;
  transferCommand_ = kProgramInfo;
  // The block of the command to come, not the last one sent: a reply before
  // the first send must not pass for the echo of block 1.
  transferBlock_ = kProgramInfo & kBlockMask;
  attempts_ = 0;
  programDone_ = false;
  lastTransferOk_ = false;
  setOperation(messages_.programming, Colour::ButtonFace);
  messageTicks_ = kMessageTicks;
  setOperationVisible(true);
  setGaugePosition(0);
  setGaugeVisible(true);
}

void DeviceEngine::showStamp(std::optional<std::string_view> stamp) {
  setOperation(stamp ? *stamp : std::string_view(display_.operation.text), Colour::ButtonFace);
  messageTicks_ = kMessageTicks;
  setOperationVisible(true);
  setGaugeVisible(false);
}

// ---- frames out -------------------------------------------------------------

void DeviceEngine::sendTransferFrame() {
  retryTicks_ = 0;
  transferBlock_ = transferCommand_ & kBlockMask;
  link_.write(BuildTransferFrame(transferCommand_, transferState_ == TransferState::Read, image_));
}

void DeviceEngine::sendPollFrame() { link_.write(PollFrame()); }

// ---- frames in --------------------------------------------------------------

void DeviceEngine::receive() {
  const std::size_t waiting = link_.bytesWaiting();
  if (waiting < kFrameSize) return;
  const std::size_t count = std::min(waiting, kReadCap);
  // A short or failed read leaves old bytes in the buffer: take nothing then.
  if (link_.read(std::span(rxBuffer_.data(), count)) < kFrameSize) return;
  // A copy, because a message box shown while handling it lets ticks read anew.
  Frame frame;
  std::copy_n(rxBuffer_.begin(), kFrameSize, frame.begin());
  if (frame[0] == kMonitorReply) {
    decodeMonitor(frame);
  } else {
    handleReply(frame);
  }
}

void DeviceEngine::decodeMonitor(const Frame& frame) {
  const auto data = DecodeMonitorFrame(frame);
  if (!data) return;
  silenceTicks_ = 0;
  liveRpm_ = data->engineRpm;
  savingCountdown_ = data->savingCountdown;
  MonitorLabels labels = MonitorDisplay(*data, messages_, image_.limiter(), image_.blockEnable() != 0);
  if (labels != display_.monitor) {
    display_.monitor = std::move(labels);
    changed();
  }
  listener_.monitorFrame(*data);
}

void DeviceEngine::handleReply(const Frame& frame) {
  if (!AcceptTransferReply(frame, transferCommand_, transferBlock_, transferState_ != TransferState::Idle)) return;
  silenceTicks_ = 0;
  switch (transferState_) {
    case TransferState::Read:
      handleRead(frame);
      break;
    case TransferState::Verify:
      handleVerify(frame);
      break;
    case TransferState::Program:
      handleProgram(frame);
      break;
    case TransferState::Idle:
      break;
  }
}

bool DeviceEngine::acceptUnitInfo(const Frame& frame) {
  std::ranges::copy(PayloadOf(frame), unitInfo_.bytes.begin());
  UnitInfoTexts texts = DecodeUnitInfo(unitInfo_);
  if (texts != display_.firmware) {
    display_.firmware = std::move(texts);
    changed();
  }
  if (unitInfo_.protocolVersion() == kProtocolVersion) return true;
  versionMismatch();
  return false;
}

void DeviceEngine::versionMismatch() {
  transferState_ = TransferState::Idle;
  // The listener shows the mismatch modally; ticks run meanwhile.
  listener_.transferEvent(TransferEvent::VersionMismatch);
  transferState_ = TransferState::Idle;
  messageTicks_ = 0;
  lastTransferOk_ = false;
}

void DeviceEngine::goVerify() {
  transferState_ = TransferState::Verify;
  transferCommand_ = kReadImage;
  attempts_ = 1;
  sendTransferFrame();
  setOperation(messages_.verify + ":", Colour::ButtonFace);
  messageTicks_ = kMessageTicks;
  setOperationVisible(true);
  setGaugePosition(0);
}

// Block 0 answered: the unit's information is in, block 1 follows.
void DeviceEngine::requestImageBlock() {
  setGaugePosition(display_.gauge.position + 1);
  ++transferCommand_;
  attempts_ = 1;
  sendTransferFrame();
}

// Every block-1 reply carries the unit's parameters; they are kept for the
// difference report should the comparison fail.
std::span<const std::uint8_t, kPayloadSize> DeviceEngine::keepUnitImage(const Frame& frame) {
  const auto payload = PayloadOf(frame);
  lastUnitImage_.emplace();
  std::ranges::copy(payload, lastUnitImage_->begin());
  return payload;
}

void DeviceEngine::handleRead(const Frame& frame) {
  if (transferBlock_ == 0) {
    if (acceptUnitInfo(frame)) {
      listener_.transferEvent(TransferEvent::UnitInfoAccepted);
      requestImageBlock();
    }
    return;
  }
  const auto payload = keepUnitImage(frame);
  std::ranges::copy(payload, image_.image().begin());
  // The listener puts the image in order; the verify sends it as ordered.
  listener_.transferEvent(TransferEvent::ImageRead);
  goVerify();
}

void DeviceEngine::handleVerify(const Frame& frame) {
  if (transferBlock_ != 1) return;
  const auto payload = keepUnitImage(frame);
  if (!std::ranges::equal(payload, image_.image())) return;
  setGaugePosition(display_.gauge.maximum);
  setOperation(messages_.verify + ": OK", Colour::ButtonFace);
  messageTicks_ = kMessageTicks;
  transferState_ = TransferState::Idle;
  lastTransferOk_ = true;
  listener_.transferEvent(TransferEvent::VerifyOk);
}

void DeviceEngine::handleProgram(const Frame& frame) {
  if (transferBlock_ == 0) {
    if (acceptUnitInfo(frame)) {
      listener_.transferEvent(TransferEvent::UnitInfoAccepted);
      requestImageBlock();
    }
    return;
  }
  const auto payload = keepUnitImage(frame);
  if (!std::ranges::equal(payload, image_.image())) return;
  programDone_ = true;
  goVerify();
  listener_.transferEvent(TransferEvent::ImageStored);
}

// ---- the tick ---------------------------------------------------------------

void DeviceEngine::tick() {
  receive();
  if (transferState_ == TransferState::Idle) {
    idleStep();
  } else {
    transferStep();
  }
  messageCountdown();
  supervise();
  if (display_.noConnection) forgetLiveValues();
  // Without a unit no speed is known: no breakpoint is the live one.
  const NearestPoint nearest = display_.noConnection ? NearestPoint{0, true} : HighlightNearestPoint(liveRpm_, image_);
  if (nearest != display_.nearest) {
    display_.nearest = nearest;
    changed();
  }
}

// Every tick while "No Connection" shows, so that the placeholders follow a
// change of language; the first accepted frame replaces them.
void DeviceEngine::forgetLiveValues() {
  liveRpm_ = 0;
  savingCountdown_ = 0;
  MonitorLabels placeholders = MonitorPlaceholders(messages_);
  if (placeholders != display_.monitor) {
    display_.monitor = std::move(placeholders);
    changed();
  }
}

void DeviceEngine::transferStep() {
  // "Reached" rather than "equals": startAutoProgram keeps the poll's count,
  // which may already stand above 4.
  if (++retryTicks_ < kResendTicks) return;
  retryTicks_ = 0;
  if (++attempts_ <= kMaxSends) {
    sendTransferFrame();
    return;
  }
  const TransferState failed = transferState_;
  const std::string& text = failed == TransferState::Program  ? messages_.programError
                            : failed == TransferState::Verify ? messages_.verifyError
                                                              : messages_.readError;
  setOperation(text, Colour::Red);
  messageTicks_ = kMessageTicks;
  programDone_ = false;
  lastTransferOk_ = false;
  transferState_ = TransferState::Idle;
  listener_.transferEvent(failed == TransferState::Program  ? TransferEvent::ProgramFailed
                          : failed == TransferState::Verify ? TransferEvent::VerifyFailed
                                                            : TransferEvent::ReadFailed);
}

void DeviceEngine::idleStep() {
  if (++retryTicks_ >= kPollTicks) {
    retryTicks_ = 0;
    sendPollFrame();
  }
  // The unit saves after every store, also one whose echo was wrong; after a
  // failure its progress would cover the error and read as a success.
  const bool saving = lastTransferOk_ && savingCountdown_ != 0;
  setSaving(saving);
  if (saving) {
    setOperation(messages_.saving, Colour::ButtonFace);
    messageTicks_ = kMessageTicks;
    setGauge(100, (kSavingStart - savingCountdown_) * 100 / kSavingStart);
    return;
  }
  setGauge(1, display_.gauge.position);
  if (programDone_) {
    setOperation(messages_.programming + ": OK", display_.operation.colour);
    setGaugePosition(display_.gauge.maximum);
  }
}

void DeviceEngine::messageCountdown() {
  if (messageTicks_ > 0) {
    --messageTicks_;
    setOperationVisible(true);
    return;
  }
  setOperationVisible(false);
  setGaugeVisible(false);
  programDone_ = false;
}

void DeviceEngine::supervise() {
  if (silenceTicks_ < kSilenceLimit) {
    ++silenceTicks_;
    setNoConnection(false);
    return;
  }
  setNoConnection(true);
  if (reopenTicks_ < 255) ++reopenTicks_;
  if (reopenTicks_ < kReopenTicks) return;
  reopenTicks_ = 0;
  closePort();
  quietOpen_ = 1;
  choices_.autoPortIndex =
      choices_.autoPortIndex >= kHighestAutoIndex ? 0 : static_cast<std::uint8_t>(choices_.autoPortIndex + 1);
  openPort();
}

// ---- display ----------------------------------------------------------------

void DeviceEngine::setOperation(std::string_view text, Colour colour) {
  if (text != messages_.saving) setSaving(false);
  if (display_.operation.text == text && display_.operation.colour == colour) return;
  display_.operation.text = std::string(text);
  display_.operation.colour = colour;
  changed();
}

void DeviceEngine::setOperationVisible(bool visible) {
  if (display_.operation.visible == visible) return;
  display_.operation.visible = visible;
  changed();
}

void DeviceEngine::setGauge(int maximum, int position) {
  maximum = std::max(maximum, 1);
  position = std::clamp(position, 0, maximum);
  if (display_.gauge.maximum == maximum && display_.gauge.position == position) return;
  display_.gauge.maximum = maximum;
  display_.gauge.position = position;
  changed();
}

void DeviceEngine::setSaving(bool saving) {
  if (display_.saving == saving) return;
  display_.saving = saving;
  changed();
}

void DeviceEngine::setGaugePosition(int position) { setGauge(display_.gauge.maximum, position); }

void DeviceEngine::setGaugeVisible(bool visible) {
  if (display_.gauge.visible == visible) return;
  display_.gauge.visible = visible;
  changed();
}

void DeviceEngine::setNoConnection(bool visible) {
  if (display_.noConnection == visible) return;
  display_.noConnection = visible;
  changed();
  listener_.connectionChanged(!visible);
}

}  // namespace zelmo
