#include "core/device/device_engine.h"

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

// The texts of our own are printf-style; only the first "%s" is filled, so a
// reason that itself holds a "%" stays as it is.
std::string Fill(std::string_view pattern, std::string_view value) {
  std::string text(pattern);
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace

DeviceEngine::DeviceEngine(SerialLink& link, DeviceHost& host, ParameterImage& image, const MessageTable& messages,
                           StoredChoices& choices)
    : link_(link), host_(host), image_(image), messages_(messages), choices_(choices), rxBuffer_(kReadCap) {}

int DeviceEngine::portNumber() const {
  return choices_.selectedComIndex == kAutoComIndex ? choices_.autoPortIndex + 1 : choices_.selectedComIndex + 1;
}

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

  lastOpen_ = link_.open(number);

  // Everything is settled before the message box: ticks run inside it.
  const int check = choices_.selectedComIndex < kComItemCount ? choices_.selectedComIndex : -1;
  if (display_.comCheckIndex != check) {
    display_.comCheckIndex = check;
    changed();
  }
  host_.clearPrintingMode();
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
  if (!device.empty()) line(Fill(ExtraText(Extra::PortDevice, lang), device));
  if (!result.reason.empty()) line(Fill(ExtraText(Extra::PortOtherError, lang), result.reason));
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
  host_.showMessage(text);
}

void DeviceEngine::closePort() { link_.close(); }

void DeviceEngine::menuComClick(int index) {
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
}

void DeviceEngine::menuReadClick() {
  startCommand(Operation::Read);
  transferState_ = TransferState::Read;
  transferCommand_ = kReadInfo;
  attempts_ = 1;
  programDone_ = false;
  sendTransferFrame();
  host_.fileNameCleared();
}

void DeviceEngine::menuVerifyClick() {
  host_.controlsToImage();
  host_.orderBreakpoints();
  host_.imageToControls();
  startCommand(Operation::Verify);
  transferState_ = TransferState::Verify;
  transferCommand_ = kReadImage;
  attempts_ = 1;
  sendTransferFrame();
}

void DeviceEngine::menuProgramClick() {
  host_.controlsToImage();
  host_.orderBreakpoints();
  host_.imageToControls();
  startCommand(Operation::Program);
  transferState_ = TransferState::Program;
  transferCommand_ = kProgramInfo;
  attempts_ = 1;
  sendTransferFrame();
}

void DeviceEngine::startAutoProgram() {
  transferState_ = TransferState::Program;
  transferCommand_ = kProgramInfo;
  attempts_ = 0;
  programDone_ = false;
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
  lastMonitor_ = *data;
  MonitorLabels labels = MonitorDisplay(*data, messages_, image_.limiter(), host_.blockingLabelsShown());
  if (labels != display_.monitor) {
    display_.monitor = std::move(labels);
    changed();
  }
  host_.monitorFrame(*data);
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
  const bool programming = transferState_ == TransferState::Program;
  if (programming) {
    host_.orderBreakpoints();
    host_.imageToControls();
  }
  if (unitInfo_.protocolVersion() == kProtocolVersion) return true;
  versionMismatch(!programming);
  return false;
}

void DeviceEngine::versionMismatch(bool refreshControls) {
  transferState_ = TransferState::Idle;
  if (refreshControls) {
    host_.orderBreakpoints();
    host_.imageToControls();
  }
  const std::string text = VersionMismatchText(messages_, unitInfo_.protocolVersion());
  host_.showMessage(text);
  transferState_ = TransferState::Idle;
  messageTicks_ = 0;
  host_.transferEvent(TransferEvent::VersionMismatch);
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
  host_.transferEvent(TransferEvent::UnitInfoAccepted);
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
    if (acceptUnitInfo(frame)) requestImageBlock();
    return;
  }
  const auto payload = keepUnitImage(frame);
  std::ranges::copy(payload, image_.image().begin());
  host_.orderBreakpoints();
  host_.imageToControls();
  host_.requestGraphRescale();
  goVerify();
  host_.transferEvent(TransferEvent::ImageRead);
}

void DeviceEngine::handleVerify(const Frame& frame) {
  if (transferBlock_ != 1) return;
  const auto payload = keepUnitImage(frame);
  if (!std::ranges::equal(payload, image_.image())) return;
  setGaugePosition(display_.gauge.maximum);
  setOperation(messages_.verify + ": OK", Colour::ButtonFace);
  messageTicks_ = kMessageTicks;
  transferState_ = TransferState::Idle;
  host_.transferEvent(TransferEvent::VerifyOk);
}

void DeviceEngine::handleProgram(const Frame& frame) {
  if (transferBlock_ == 0) {
    if (acceptUnitInfo(frame)) requestImageBlock();
    return;
  }
  const auto payload = keepUnitImage(frame);
  if (!std::ranges::equal(payload, image_.image())) return;
  programDone_ = true;
  goVerify();
  host_.transferEvent(TransferEvent::ImageStored);
}

// ---- the tick ---------------------------------------------------------------

void DeviceEngine::tick() {
  receive();
  host_.graphTick();
  if (transferState_ == TransferState::Idle) {
    idleStep();
  } else {
    transferStep();
  }
  messageCountdown();
  supervise();
  if (display_.noConnection && display_.monitor.version.visible) {
    display_.monitor.version.visible = false;
    changed();
  }
  const NearestPoint nearest = HighlightNearestPoint(liveRpm_, image_);
  if (nearest != display_.nearest) {
    display_.nearest = nearest;
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
  transferState_ = TransferState::Idle;
  host_.transferEvent(failed == TransferState::Program  ? TransferEvent::ProgramFailed
                      : failed == TransferState::Verify ? TransferEvent::VerifyFailed
                                                        : TransferEvent::ReadFailed);
}

void DeviceEngine::idleStep() {
  if (++retryTicks_ >= kPollTicks) {
    retryTicks_ = 0;
    sendPollFrame();
  }
  if (savingCountdown_ != 0) {
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
    setOperationVisible(!host_.printingMode());
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
  setNoConnection(!host_.printingMode());
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
}

}  // namespace zelmo
