#include "cli/device_commands.h"

#include "cli/parameter_file.h"

#include <QCoreApplication>
#include <charconv>
#include <functional>
#include <optional>
#include <vector>

#include "cli/cli_session.h"
#include "cli/difference_report.h"
#include "cli/port_choice.h"
#include "core/device/monitor.h"
#include "core/files/ign_format.h"
#include "core/files/safe_file.h"
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

struct DeviceArguments {
  std::string port;
  bool trace = false;
  bool csv = false;
  std::optional<long> count;
  std::optional<std::string> output;
  std::vector<std::string> files;
};

enum Allowed : unsigned { kOutput = 1, kCount = 2, kCsv = 4 };

int UsageError(std::ostream& err, std::string_view synopsis, std::string_view why) {
  err << "zelmo-cli: " << why << "\nusage: zelmo-cli " << synopsis << "\n";
  return kExitError;
}

std::optional<DeviceArguments> Parse(Arguments arguments, unsigned allowed, std::size_t files,
                                     std::string_view synopsis, std::ostream& err) {
  DeviceArguments a;
  auto fail = [&](std::string_view why) {
    UsageError(err, synopsis, why);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (arg == "--port" && hasValue) {
      a.port = arguments[++i];
    } else if (arg == "--trace") {
      a.trace = true;
    } else if (arg == "--csv" && (allowed & kCsv)) {
      a.csv = true;
    } else if ((arg == "-o" || arg == "--output") && (allowed & kOutput) && hasValue) {
      a.output = arguments[++i];
    } else if (arg == "--count" && (allowed & kCount) && hasValue) {
      const std::string& text = arguments[++i];
      long n = 0;
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
      if (ec != std::errc() || end != text.data() + text.size() || n < 1) return fail("--count needs a number above 0");
      a.count = n;
    } else if (!arg.empty() && arg[0] == '-') {
      return fail("unknown option or missing value: " + arg);
    } else {
      a.files.push_back(arg);
    }
  }
  if (a.port.empty()) return fail("--port DEVICE is required");
  if (a.files.size() != files) return fail(files == 0 ? "unexpected argument" : "one parameter file is required");
  return a;
}

// QCoreApplication wants its arguments to outlive it.
int WithEventLoop(const std::function<int()>& body) {
  int argc = 1;
  char name[] = "zelmo-cli";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  return body();
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
  if (goal != Goal::Read && !LoadParameterFile(a.files.front(), err)) return kExitError;
  const auto choice = ChoosePort(a.port, SettingsPortMapping(context.settingsFile));
  return WithEventLoop([&] {
    QtSerialLink link(choice->mapping);
    CliSession cli(link, err, a.trace, {context.historyFolder, context.localTime});
    EditorSession& session = cli.session();
    if (goal != Goal::Read) {
      const FileOutcome opened = session.openFile(a.files.front());
      if (!opened.ok) {
        err << "zelmo-cli: " << a.files.front() << ": " << opened.message << "\n";
        return kExitError;
      }
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
    const auto awaitVersion = [&](int status) {
      verifyStatus = status;
      verifyEndedAt = cli.ticks();
    };

    cli.onEvent = [&](SessionEvent event) {
      switch (event) {
        case SessionEvent::UnitInfoAccepted:
          PrintFirmware(cli, err);
          break;
        case SessionEvent::ImageRead: {
          // Kept whatever the verify that follows finds: it is what the unit holds, ordered.
          const std::string text = WriteParameterFile(session.image());
          if (!a.output) {
            out << text << "\n";
            out.flush();
          } else if (const FileResult saved = WriteFileAtomically(*a.output, text); !saved.ok) {
            err << "zelmo-cli: " << saved.error << "\n";
            fileFailed = true;
          }
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
        session.startVerify(session.image());
        break;
      case Goal::Program:
        session.startProgram(session.image());
        break;
    }
    return cli.run(kExitTransferFailed);
  });
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

int RunPorts(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err) {
  if (!arguments.empty()) return UsageError(err, "ports", "ports takes no arguments");
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
  return kExitOk;
}

int RunRead(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err) {
  const auto a = Parse(arguments, kOutput, 0, "read --port DEVICE [-o OUT.ign] [--trace]", err);
  return a ? RunTransfer(Goal::Read, *a, context, out, err) : kExitError;
}

int RunVerify(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err) {
  const auto a = Parse(arguments, 0, 1, "verify --port DEVICE FILE.ign [--trace]", err);
  return a ? RunTransfer(Goal::Verify, *a, context, out, err) : kExitError;
}

int RunProgram(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err) {
  const auto a = Parse(arguments, 0, 1, "program --port DEVICE FILE.ign [--trace]", err);
  return a ? RunTransfer(Goal::Program, *a, context, out, err) : kExitError;
}

int RunMonitor(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err) {
  const auto a = Parse(arguments, kCount | kCsv, 0, "monitor --port DEVICE [--count N] [--csv] [--trace]", err);
  if (!a) return kExitError;
  const auto choice = ChoosePort(a->port, SettingsPortMapping(context.settingsFile));
  return WithEventLoop([&] {
    QtSerialLink link(choice->mapping);
    CliSession cli(link, err, a->trace, {context.historyFolder, context.localTime});
    if (!cli.choosePort(choice->comIndex)) return kExitError;
    if (a->csv) out << MonitorCsvHeader() << "\n";
    long frames = 0;
    cli.onMonitorFrame = [&](const MonitorData& data) {
      out << (a->csv ? MonitorCsvRow(data, cli.elapsedMs()) : MonitorLine(data, cli)) << "\n";
      out.flush();
      if (a->count && ++frames >= *a->count) cli.finish(kExitOk);
    };
    // Watching ends with Ctrl-C; that is no failure.
    return cli.run(kExitOk);
  });
}

}  // namespace zelmo::cli
