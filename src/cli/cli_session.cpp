// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_session.h"

#include "core/lang/texts.h"

namespace zelmo::cli {

CliSession::CliSession(SerialLink& link, std::ostream& messages, bool trace, EditorSession::Setup setup)
    : out_(messages), session_(traced(link, trace), *this, std::move(setup)) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(kTickMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
  clock_.start();
}

// Runs before the session is built: it must get the traced link.
SerialLink& CliSession::traced(SerialLink& link, bool trace) {
  if (!trace) return link;
  return trace_.emplace(link, tick_, out_);
}

bool CliSession::choosePort(int comIndex) {
  // The window's box speaks of its Com menu; the tool says it in its own words.
  choosingPort_ = true;
  session_.choosePort(comIndex);
  choosingPort_ = false;
  const OpenResult& result = session_.engine().lastOpenResult();
  if (result.ok()) return true;
  out_ << "zelmo-cli: cannot open the port " << result.device;
  if (!result.reason.empty()) out_ << ": " << result.reason;
  out_ << "\n";
  switch (result.error) {
    case OpenResult::Error::NotFound:
      out_ << "zelmo-cli: the device does not exist; check the cable and --port ('zelmo-cli ports' lists the ports)\n";
      break;
    case OpenResult::Error::PermissionDenied:
      out_ << "zelmo-cli: " << ExtraText(Extra::PortPermissionDenied, kEnglish) << "\n";
      break;
    case OpenResult::Error::Busy:
      out_ << "zelmo-cli: " << ExtraText(Extra::PortBusy, kEnglish) << "\n";
      break;
    case OpenResult::Error::Other:
    case OpenResult::Error::None:
      break;
  }
  out_.flush();
  return false;
}

int CliSession::run() {
  printChanges();
  if (finished_) {
    printClosingLine();
    return *finished_;
  }
  timer_.start();
  const int status = loop_.exec();
  timer_.stop();
  session_.closePort();
  return status;
}

void CliSession::finish(int status, std::string closingLine) {
  if (finished_) return;
  finished_ = status;
  closingLine_ = std::move(closingLine);
}

void CliSession::tick() {
  if (const auto signal = StopSignalReceived(); signal && !finished_) {
    finish(StopExitStatus(*signal), stopLine ? stopLine(*signal) : "zelmo-cli: " + StopWord(*signal));
  } else if (!finished_) {
    ++tick_;
    session_.tick();
    if (afterTick) afterTick();
    printChanges();
  }
  if (finished_) {
    printClosingLine();
    loop_.exit(*finished_);
  }
}

void CliSession::printClosingLine() {
  if (closingLine_.empty()) return;
  out_ << closingLine_ << "\n";
  out_.flush();
  closingLine_.clear();
}

void CliSession::printChanges() {
  const DeviceDisplay& d = session_.engine().display();
  // The engine starts silent; that is news only once the unit had its time to answer.
  if (!d.noConnection) {
    everConnected_ = true;
    noConnectionPrinted_ = false;
  } else if (!noConnectionPrinted_ && (everConnected_ || tick_ > DeviceEngine::kStartSilence)) {
    out_ << "No Connection\n";
    noConnectionPrinted_ = true;
  }
  if (holdOperationMessages || !d.operation.visible) {
    out_.flush();
    return;
  }
  if (d.operation.text != printedOperation_.text || d.operation.colour != printedOperation_.colour ||
      (d.saving && d.gauge.position != printedGauge_)) {
    out_ << d.operation.text;
    if (d.saving) out_ << " " << d.gauge.position << " %";
    out_ << "\n";
    printedOperation_ = d.operation;
    printedGauge_ = d.gauge.position;
  }
  out_.flush();
}

void CliSession::message(std::string_view text) {
  if (choosingPort_) return;
  out_ << text << "\n";
  out_.flush();
}

void CliSession::warning(std::string_view text) {
  out_ << "zelmo-cli: " << text << "\n";
  out_.flush();
}

namespace {
std::string_view EventName(SessionEvent event) {
  switch (event) {
    case SessionEvent::UnitInfoAccepted:
      return "unit info accepted";
    case SessionEvent::ImageRead:
      return "image read";
    case SessionEvent::ImageStored:
      return "image stored";
    case SessionEvent::Verified:
      return "verify ok";
    case SessionEvent::SavingFinished:
      return "saving finished";
    case SessionEvent::SavingUnconfirmed:
      return "saving unconfirmed";
    case SessionEvent::ReadFailed:
      return "read failed";
    case SessionEvent::VerifyFailed:
      return "verify failed";
    case SessionEvent::ProgramFailed:
      return "program failed";
    case SessionEvent::VersionMismatch:
      return "version mismatch";
    case SessionEvent::ConnectionLost:
      return "connection lost";
    case SessionEvent::ConnectionBack:
      return "connection back";
  }
  return "?";
}
}  // namespace

void CliSession::sessionEvent(SessionEvent event) {
  if (trace_) out_ << "[tick " << tick_ << "] " << EventName(event) << " (" << clock_.elapsed() << " ms)\n";
  if (onEvent) onEvent(event);
}

void CliSession::monitorFrame(const MonitorData& data) {
  if (onMonitorFrame) onMonitorFrame(data);
}

}  // namespace zelmo::cli
