#include "cli/cli_session.h"

#include "core/model/presets.h"

namespace zelmo::cli {

CliSession::CliSession(SerialLink& link, std::ostream& messages, bool trace)
    : out_(messages),
      // What a first start of the window holds, COM1, English.
      image_(NewParameters(0)),
      choices_{kEnglish, 0, 0},
      engine_(trace ? trace_.emplace(link, tick_, messages) : link, *this, image_, messageTable_, choices_) {
  FillMessageTable(messageTable_, choices_.languageId);
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(kTickMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
  clock_.start();
}

bool CliSession::openPort(int portNumber) {
  choices_.selectedComIndex = static_cast<std::uint8_t>(portNumber - 1);
  engine_.openPort();
  return engine_.lastOpenResult().ok();
}

int CliSession::run(int stopStatus) {
  stopStatus_ = stopStatus;
  printChanges();
  if (finished_) return *finished_;
  timer_.start();
  const int status = loop_.exec();
  timer_.stop();
  engine_.closePort();
  return status;
}

void CliSession::finish(int status) {
  if (!finished_) finished_ = status;
}

void CliSession::tick() {
  if (stop_.requested()) finish(stopStatus_);
  if (!finished_) {
    ++tick_;
    engine_.tick();
    if (afterTick) afterTick();
    printChanges();
  }
  if (finished_) loop_.exit(*finished_);
}

void CliSession::printChanges() {
  const DeviceDisplay& d = engine_.display();
  // The engine starts silent; that is news only once the unit had its time to answer.
  if (!d.noConnection) {
    everConnected_ = true;
    noConnectionPrinted_ = false;
  } else if (!noConnectionPrinted_ && (everConnected_ || tick_ > DeviceEngine::kStartSilence)) {
    out_ << "No Connection\n";
    noConnectionPrinted_ = true;
  }
  if (holdOperationMessages || !d.operation.visible) return;
  const bool saving = d.operation.text == messageTable_.saving;
  if (d.operation.text != printedOperation_.text || d.operation.colour != printedOperation_.colour ||
      (saving && d.gauge.position != printedGauge_)) {
    out_ << d.operation.text;
    if (saving) out_ << " " << d.gauge.position << " %";
    out_ << "\n";
    printedOperation_ = d.operation;
    printedGauge_ = d.gauge.position;
  }
  out_.flush();
}

void CliSession::showMessage(std::string_view text) {
  out_ << text << "\n";
  out_.flush();
}

namespace {
std::string_view EventName(TransferEvent event) {
  switch (event) {
    case TransferEvent::UnitInfoAccepted: return "unit info accepted";
    case TransferEvent::ImageRead: return "image read";
    case TransferEvent::ImageStored: return "image stored";
    case TransferEvent::VerifyOk: return "verify ok";
    case TransferEvent::ReadFailed: return "read failed";
    case TransferEvent::VerifyFailed: return "verify failed";
    case TransferEvent::ProgramFailed: return "program failed";
    case TransferEvent::VersionMismatch: return "version mismatch";
  }
  return "?";
}
}  // namespace

void CliSession::transferEvent(TransferEvent event) {
  if (trace_) out_ << "[tick " << tick_ << "] " << EventName(event) << " (" << clock_.elapsed() << " ms)\n";
  if (onTransferEvent) onTransferEvent(event);
}

void CliSession::monitorFrame(const MonitorData& data) {
  if (onMonitorFrame) onMonitorFrame(data);
}

}  // namespace zelmo::cli
