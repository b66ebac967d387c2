// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/device_commands.h"

#include "cli/parameter_file.h"

#include <charconv>
#include <functional>
#include <optional>
#include <sstream>
#include <vector>

#include "cli/cli_session.h"
#include "cli/difference_report.h"
#include "cli/port_choice.h"
#include "cli/stop_signals.h"
#include "core/device/monitor.h"
#include "core/files/ign_format.h"
#include "core/files/safe_file.h"
#include "core/files/write_check.h"
#include "core/model/presets.h"
#include "serial/qt_serial_link.h"
#include "serial/system_ports.h"

namespace zelmo::cli {
namespace {

// After a verify the engine polls within 6 ticks; the unit's first monitor
// frame carries its parameter-set version. This allows for a lost reply or
// two, and is as long as the engine waits before it calls the unit lost.
constexpr long kVersionWaitTicks = DeviceEngine::kStartSilence;

constexpr std::string_view kSavingUnconfirmed =
    "zelmo-cli: verified, but the unit stopped answering while saving; check it with verify after reconnecting";

// Without --timeout, monitor --count gives up when the unit has sent no live
// values for this long: time for the port to be reopened a few times.
constexpr double kDefaultCountTimeoutSeconds = 10.0;

struct DeviceArguments {
  std::string port;
  bool trace = false;
  bool csv = false;
  std::optional<long> count;
  std::optional<double> timeoutSeconds;
  std::optional<std::string> output;
  std::vector<std::string> files;
};

std::optional<DeviceArguments> Parse(const Invocation& line, std::ostream& err) {
  DeviceArguments a;
  auto fail = [&](std::string_view why) {
    UsageError(line, why, err);
    return std::nullopt;
  };
  a.port = line.value("port").value_or("");
  if (a.port.empty()) return fail("--port DEVICE is required");
  a.trace = line.has("trace");
  a.csv = line.has("csv");
  a.output = line.value("output");
  a.files = line.files;
  if (const auto text = line.value("count")) {
    long n = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), n);
    if (ec != std::errc() || end != text->data() + text->size() || n < 1) return fail("--count needs a number above 0");
    a.count = n;
  }
  if (const auto text = line.value("timeout")) {
    double seconds = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), seconds);
    if (ec != std::errc() || end != text->data() + text->size() || !(seconds > 0) || seconds > 1e6) {
      return fail("--timeout needs a number of seconds above 0");
    }
    a.timeoutSeconds = seconds;
  }
  return a;
}

void PrintFirmware(const CliSession& cli, std::ostream& err) {
  const UnitInfoTexts& t = cli.engine().unitTexts();
  err << "Unit: " << t.versionText << "  " << t.dateText << "  " << t.timeText << "\n";
}

enum class Goal { Read, Verify, Program };

// Read, Verify and Program as the window runs them: the file opened into the
// editor session, the session's command, and its events to end on.
int RunTransfer(Goal goal, const DeviceArguments& a, const Context& context, std::ostream& out, std::ostream& err) {
  // Checked first for the tool's own messages about the file; the session opens it below.
  std::optional<ParameterImage> file;
  if (goal != Goal::Read) {
    file = LoadParameterFile(a.files.front(), err);
    if (!file) return kExitError;
  }
  // What the unit sends is worth nothing if it cannot be kept.
  const bool toFile = a.output && *a.output != kStandardStream;
  if (toFile) {
    if (const FileResult writable = CheckWritable(*a.output); !writable.ok) {
      err << "zelmo-cli: " << writable.error << "\n";
      return kExitError;
    }
  }
  const auto choice = ChoosePort(a.port, SettingsPortMapping(context.settingsFile));
  QtSerialLink link(choice->mapping);
  CliSession cli(link, err, a.trace, {context.historyFolder, context.localTime});
  EditorSession& session = cli.session();
  // Standard input was read above; a named file is opened as the window's Open does.
  if (goal != Goal::Read && a.files.front() != kStandardStream) {
    const FileOutcome opened = session.openFile(a.files.front());
    if (!opened.ok) {
      err << "zelmo-cli: " << a.files.front() << ": " << opened.message << "\n";
      return kExitError;
    }
    file = session.image();
  }
  if (!cli.choosePort(choice->comIndex)) return kExitError;

  bool fileFailed = false;
  // The transfer's result is printed; what the display shows later is not
  // this command's (a Program's saving progress excepted).
  const auto settle = [&] {
    cli.printChanges();
    cli.holdOperationMessages = true;
  };
  const auto fail = [&](int status) { cli.finish(fileFailed ? kExitError : status); };
  // Verify reads only block 1; the version comes with the next monitor frame.
  std::optional<int> verifyStatus;
  long verifyEndedAt = 0;
  bool monitorSinceVerify = false;
  bool programVerified = false;
  bool unitTouched = false;
  cli.stopLine = [&](int signal) {
    const std::string said = "zelmo-cli: " + StopWord(signal);
    if (goal != Goal::Program) return said;
    if (!unitTouched) return said + " before programming; the unit was not changed";
    if (!programVerified) {
      return said + " while programming; the unit may have been left half programmed: program it again";
    }
    return said + " while the unit saved the parameters; it may have been left half programmed: check it with verify";
  };
  const auto awaitVersion = [&](int status) {
    verifyStatus = status;
    verifyEndedAt = cli.ticks();
  };

  cli.onEvent = [&](SessionEvent event) {
    switch (event) {
      case SessionEvent::UnitInfoAccepted:
        PrintFirmware(cli, err);
        // A Program sends the parameters from here on.
        unitTouched = goal == Goal::Program;
        break;
      case SessionEvent::ImageRead: {
        // Kept whatever the verify that follows finds: it is what the unit holds, ordered.
        const std::string text = WriteParameterFile(session.image());
        if (!WriteOutputFile(a.output.value_or(std::string(kStandardStream)), text, out, err)) fileFailed = true;
        break;
      }
      case SessionEvent::Verified:
        settle();
        if (goal == Goal::Read) cli.finish(fileFailed ? kExitError : kExitOk);
        if (goal == Goal::Verify) awaitVersion(kExitOk);
        // A Program goes on until the unit has saved what it verified.
        programVerified = goal == Goal::Program;
        break;
      case SessionEvent::VerifyFailed:
        settle();
        PrintDifferenceReport(session.image(), session.unitAfterFailure(), err);
        if (goal == Goal::Verify) {
          awaitVersion(kExitTransferFailed);
        } else {
          fail(kExitTransferFailed);
        }
        break;
      case SessionEvent::ReadFailed:
      case SessionEvent::ProgramFailed:
        settle();
        fail(kExitTransferFailed);
        break;
      case SessionEvent::VersionMismatch:
        // The session has said which versions; nothing was read or written.
        settle();
        cli.finish(kExitOtherVersion);
        break;
      case SessionEvent::SavingFinished:
        // This tick puts the programming success text up.
        cli.holdOperationMessages = false;
        cli.finish(kExitOk);
        break;
      case SessionEvent::SavingUnconfirmed:
        cli.holdOperationMessages = true;
        cli.finish(kExitSavingUnconfirmed, std::string(kSavingUnconfirmed));
        break;
      case SessionEvent::ImageStored:
      case SessionEvent::ConnectionLost:
      case SessionEvent::ConnectionBack:
        break;
    }
  };
  cli.onMonitorFrame = [&](const MonitorData&) {
    if (verifyStatus) monitorSinceVerify = true;
    // After a Program's verify the display shows the unit's saving state
    // from before it: the news starts with this frame.
    if (programVerified) cli.holdOperationMessages = false;
  };
  cli.afterTick = [&] {
    if (!verifyStatus) return;
    if (monitorSinceVerify && session.unitVersion()) {
      if (*session.unitVersion() == kProtocolVersion) {
        cli.finish(*verifyStatus);
      } else {
        cli.finish(kExitOtherVersion, VersionMismatchText(session.messages(), *session.unitVersion()));
      }
    } else if (cli.ticks() - verifyEndedAt > kVersionWaitTicks) {
      cli.finish(*verifyStatus);  // no word on the version: the verify stands
    }
  };

  switch (goal) {
    case Goal::Read:
      session.startRead();
      break;
    case Goal::Verify:
      session.startVerify(*file);
      break;
    case Goal::Program:
      session.startProgram(*file);
      break;
  }
  return cli.run();
}

std::string MonitorLine(const MonitorData& data, const CliSession& cli) {
  const MonitorLabels labels = MonitorDisplay(data, cli.session().messages(), NewParameters(0).limiter(), true);
  std::string line;
  auto add = [&](const LabelState& label) {
    std::string_view text = label.text;
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!line.empty()) line += "  ";
    line += text;
  };
  for (const LabelState* label : {&labels.rpm, &labels.advance, &labels.voltage, &labels.blocking, &labels.neutral,
                                  &labels.sideStand, &labels.pickup1, &labels.pickup2, &labels.programmingCount}) {
    add(*label);
  }
  if (data.savingCountdown != 0) add({"Saving countdown = " + std::to_string(data.savingCountdown), {}, true});
  if (labels.dataError.visible) add(labels.dataError);
  if (labels.version.visible) add(labels.version);
  return line;
}

}  // namespace

int RunPorts(const Invocation&, const Context& context, std::ostream& out, std::ostream& err) {
  const PortMapping mapping = SettingsPortMapping(context.settingsFile);
  const std::vector<SystemPort> ports = SystemPorts();
  bool any = false;
  for (int n = 1; n <= kHighestComNumber; ++n) {
    const SystemPort facts = PortFacts(n, mapping, ports);
    if (facts.path.empty()) continue;
    any = true;
    const auto bound = mapping.overrides.find(n);
    const bool fromSettings = bound != mapping.overrides.end() && !bound->second.empty();
    out << "COM" << n << "\t" << DescribePort(facts) << (fromSettings ? "\t(settings PORTS)" : "") << "\n";
  }
  if (!any) err << "zelmo-cli: no serial ports found\n";
  return OutputWritten(out, err) ? kExitOk : kExitError;
}

int RunRead(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err) {
  const auto a = Parse(line, err);
  return a ? RunTransfer(Goal::Read, *a, context, out, err) : kExitError;
}

int RunVerify(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err) {
  const auto a = Parse(line, err);
  return a ? RunTransfer(Goal::Verify, *a, context, out, err) : kExitError;
}

int RunProgram(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err) {
  const auto a = Parse(line, err);
  return a ? RunTransfer(Goal::Program, *a, context, out, err) : kExitError;
}

int RunMonitor(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err) {
  const auto a = Parse(line, err);
  if (!a) return kExitError;
  const std::optional<double> timeout = a->timeoutSeconds ? a->timeoutSeconds
                                        : a->count        ? std::optional<double>(kDefaultCountTimeoutSeconds)
                                                          : std::nullopt;
  const auto choice = ChoosePort(a->port, SettingsPortMapping(context.settingsFile));
  QtSerialLink link(choice->mapping);
  CliSession cli(link, err, a->trace, {context.historyFolder, context.localTime});
  if (!cli.choosePort(choice->comIndex)) return kExitError;
  if (a->csv) out << MonitorCsvHeader() << "\n";
  long frames = 0;
  long long lastFrameMs = 0;
  cli.onMonitorFrame = [&](const MonitorData& data) {
    lastFrameMs = cli.elapsedMs();
    out << (a->csv ? MonitorCsvRow(data, cli.elapsedMs()) : MonitorLine(data, cli)) << "\n";
    if (!OutputWritten(out, err)) cli.finish(kExitError);
    if (a->count && ++frames >= *a->count) cli.finish(kExitOk);
  };
  cli.afterTick = [&] {
    if (timeout && static_cast<double>(cli.elapsedMs() - lastFrameMs) >= *timeout * 1000.0) {
      std::ostringstream said;
      said << "zelmo-cli: the unit sent no live values for " << *timeout << " s";
      cli.finish(kExitTransferFailed, said.str());
    }
  };
  return cli.run();
}

}  // namespace zelmo::cli
