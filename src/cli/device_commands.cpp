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

// After the verify the unit still writes its memory, about a second. One that
// falls silent meanwhile, or never finishes, may not have kept what it verified.
constexpr long kSavingWaitTicks = 400;

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

void PrintFirmware(CliSession& session, std::ostream& err) {
  const UnitInfoTexts& t = session.engine().unitTexts();
  err << "Unit: " << t.versionText << "  " << t.dateText << "  " << t.timeText << "\n";
}

void PrintDifferences(CliSession& session, std::ostream& err) {
  PrintDifferenceReport(session.image(), session.engine().lastUnitImage(), err);
}

enum class Goal { Read, Verify, Program };

int RunTransfer(Goal goal, const DeviceArguments& a, std::ostream& out, std::ostream& err) {
  std::optional<ParameterImage> fileImage;
  if (goal != Goal::Read) {
    fileImage = LoadParameterFile(a.files.front(), err);
    if (!fileImage) return kExitError;
  }
  const auto choice = ChoosePort(a.port, SettingsPortMapping());
  return WithEventLoop([&] {
    QtSerialLink link(choice->mapping);
    CliSession session(link, err, a.trace);
    if (fileImage) session.image() = *fileImage;
    if (!session.openPort(choice->portNumber)) return kExitError;

    bool fileFailed = false;
    long verifiedAt = -1;
    bool monitorSince = false;
    session.onTransferEvent = [&](TransferEvent event) {
      switch (event) {
        case TransferEvent::UnitInfoAccepted:
          PrintFirmware(session, err);
          break;
        case TransferEvent::ImageRead: {
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
        case TransferEvent::ImageStored:
          break;
        case TransferEvent::VerifyOk:
          if (goal == Goal::Program) {
            // The idle step of this very tick already puts the programming
            // success text up; the verify's own comes first.
            session.printChanges();
            session.holdOperationMessages = true;
            verifiedAt = session.ticks();
          } else {
            session.finish(fileFailed ? kExitError : kExitOk);
          }
          break;
        case TransferEvent::VerifyFailed:
          PrintDifferences(session, err);
          session.finish(fileFailed ? kExitError : kExitTransferFailed);
          break;
        case TransferEvent::ReadFailed:
        case TransferEvent::ProgramFailed:
          session.finish(kExitTransferFailed);
          break;
        case TransferEvent::VersionMismatch:
          session.finish(kExitOtherVersion);
          break;
      }
    };
    // Programming ends when the unit says it has saved what it verified.
    session.onMonitorFrame = [&](const MonitorData&) {
      if (verifiedAt >= 0) monitorSince = true;
    };
    session.afterTick = [&] {
      if (verifiedAt < 0) return;
      // Until the unit reports on its saving, the success text would come too early.
      if (monitorSince) {
        session.holdOperationMessages = false;
        if (session.engine().savingCountdown() == 0) {
          session.finish(kExitOk);
          return;
        }
      }
      if (session.engine().display().noConnection || session.ticks() - verifiedAt > kSavingWaitTicks) {
        err << "zelmo-cli: the unit did not confirm that it saved the parameters\n";
        session.finish(kExitTransferFailed);
      }
    };

    switch (goal) {
      case Goal::Read:
        session.engine().menuReadClick();
        break;
      case Goal::Verify:
        session.engine().menuVerifyClick();
        break;
      case Goal::Program:
        session.engine().menuProgramClick();
        break;
    }
    return session.run(kExitTransferFailed);
  });
}

std::string MonitorLine(const MonitorData& data, const CliSession& session) {
  const MonitorLabels labels = MonitorDisplay(data, session.messageTable(), NewParameters(0).limiter(), true);
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

int RunPorts(Arguments arguments, std::ostream& out, std::ostream& err) {
  if (!arguments.empty()) return UsageError(err, "ports", "ports takes no arguments");
  const PortMapping mapping = SettingsPortMapping();
  const std::vector<SystemPort> ports = SystemPorts();
  bool any = false;
  for (int n = 1; n <= kHighestComNumber; ++n) {
    const std::string device = PortDevice(n, mapping, ports);
    if (device.empty()) continue;
    any = true;
    out << "COM" << n << "\t" << device << (mapping.overrides.count(n) ? "\t(settings PORTS)" : "") << "\n";
  }
  if (!any) err << "zelmo-cli: no serial ports found\n";
  return kExitOk;
}

int RunRead(Arguments arguments, std::ostream& out, std::ostream& err) {
  const auto a = Parse(arguments, kOutput, 0, "read --port DEVICE [-o OUT.ign] [--trace]", err);
  return a ? RunTransfer(Goal::Read, *a, out, err) : kExitError;
}

int RunVerify(Arguments arguments, std::ostream& out, std::ostream& err) {
  const auto a = Parse(arguments, 0, 1, "verify --port DEVICE FILE.ign [--trace]", err);
  return a ? RunTransfer(Goal::Verify, *a, out, err) : kExitError;
}

int RunProgram(Arguments arguments, std::ostream& out, std::ostream& err) {
  const auto a = Parse(arguments, 0, 1, "program --port DEVICE FILE.ign [--trace]", err);
  return a ? RunTransfer(Goal::Program, *a, out, err) : kExitError;
}

int RunMonitor(Arguments arguments, std::ostream& out, std::ostream& err) {
  const auto a = Parse(arguments, kCount | kCsv, 0, "monitor --port DEVICE [--count N] [--csv] [--trace]", err);
  if (!a) return kExitError;
  const auto choice = ChoosePort(a->port, SettingsPortMapping());
  return WithEventLoop([&] {
    QtSerialLink link(choice->mapping);
    CliSession session(link, err, a->trace);
    if (!session.openPort(choice->portNumber)) return kExitError;
    if (a->csv) out << MonitorCsvHeader() << "\n";
    long frames = 0;
    session.onMonitorFrame = [&](const MonitorData& data) {
      out << (a->csv ? MonitorCsvRow(data, session.elapsedMs()) : MonitorLine(data, session)) << "\n";
      out.flush();
      if (a->count && ++frames >= *a->count) session.finish(kExitOk);
    };
    // Watching ends with Ctrl-C; that is no failure.
    return session.run(kExitOk);
  });
}

}  // namespace zelmo::cli
