// SPDX-License-Identifier: GPL-3.0-or-later
// zelmo-cli: the parameter tools of the Zelmo TCI programmer on the command
// line. One table names every command, its options and its help; a command is
// one function.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QDateTime>
#include <array>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "cli/command_line.h"
#include "cli/device_commands.h"
#include "cli/offline_commands.h"
#include "cli/plot_command.h"
#include "cli/stop_signals.h"
#include "core/settings/config_dir.h"
#include "program_version.h"

namespace {

using namespace zelmo;
using namespace zelmo::cli;

constexpr OptionInfo kPort{"", "port", "DEVICE", "the serial device (/dev/ttyUSB0) or COM1 to COM20"};
constexpr OptionInfo kTrace{"", "trace", "", "report every frame and event with its tick on standard error"};

constexpr std::array kNewOptions{
    OptionInfo{"", "bike", "CODE", "the bike code 0 to 9 (default 0; see zelmo-cli bikes)"}};
constexpr std::array kReadOptions{
    kPort, OptionInfo{"o", "output", "FILE", "write the parameters to FILE (- or none: standard output)"}, kTrace};
constexpr std::array kTransferOptions{kPort, kTrace};
constexpr std::array kPlotOptions{
    OptionInfo{"o", "output", "FILE", "the picture to write: FILE.png or FILE.pdf"},
    OptionInfo{"", "curve", "FILE", "draw where the engine ran over this file's curve (default: bike 0's)"}};
constexpr std::array kMonitorOptions{
    kPort, OptionInfo{"", "count", "N", "stop after N monitor frames"},
    OptionInfo{"", "timeout", "SECONDS",
               "exit 1 when the unit sends no live values for SECONDS (default 10 with --count)"},
    OptionInfo{"", "csv", "", "print comma-separated values under a header line"}, kTrace};

constexpr std::array kCommands{
    CommandInfo{"new", "new [--bike CODE] OUT.ign", "write the default parameters of a bike",
                "OUT.ign may be - for standard output. 'zelmo-cli bikes' lists the bike codes.\n", kNewOptions, 1, 1,
                RunNew},
    CommandInfo{"bikes",
                "bikes",
                "list the bike codes with their names, in the order of the window's list",
                "",
                {},
                0,
                0,
                RunBikes},
    CommandInfo{"image",
                "image FILE.ign",
                "print the 50 image bytes of a file as hex",
                "FILE.ign may be - for standard input.\n",
                {},
                1,
                1,
                RunImage},
    CommandInfo{"show",
                "show FILE.ign",
                "print the parameters of a file in user units",
                "FILE.ign may be - for standard input.\n",
                {},
                1,
                1,
                RunShow},
    CommandInfo{"normalize",
                "normalize IN.ign OUT.ign",
                "load a file as the window opens it and save it again",
                "IN.ign may be - for standard input, OUT.ign - for standard output.\n",
                {},
                2,
                2,
                RunNormalize},
    CommandInfo{"diff",
                "diff A.ign B.ign",
                "compare two parameter files field by field",
                "Prints the table a failed verify shows, in user units, differing rows marked\n"
                "with '*'. Exit status 0 when the files hold the same parameters, 1 when they\n"
                "differ, 2 when a file cannot be read. One of the files may be - for\n"
                "standard input.\n",
                {},
                2,
                2,
                RunDiff},
    CommandInfo{"plot",
                "plot FILE.csv -o OUT.png|OUT.pdf [--curve FILE.ign]",
                "draw a recorded ride as the ride viewer exports it",
                "FILE.csv is a recording of live values (the window's Record live values, or\n"
                "monitor --csv). Lines that cannot be read are skipped and named on standard\n"
                "error. Needs no display.\n",
                kPlotOptions,
                1,
                1,
                RunPlot},
    CommandInfo{"ports", "ports", "list the COM numbers and the devices they stand for", "", {}, 0, 0, RunPorts},
    CommandInfo{"read", "read --port DEVICE [-o OUT.ign] [--trace]",
                "read the unit's parameters into a file, then verify them",
                "Without -o, or with -o -, the file goes to standard output. OUT.ign is checked\n"
                "for writing before the unit is asked.\n",
                kReadOptions, 0, 0, RunRead},
    CommandInfo{"verify", "verify --port DEVICE FILE.ign [--trace]", "compare the unit's parameters with a file",
                "FILE.ign may be - for standard input.\n", kTransferOptions, 1, 1, RunVerify},
    CommandInfo{"program", "program --port DEVICE FILE.ign [--trace]",
                "program a file into the unit, verify it and wait until the unit has saved it",
                "FILE.ign may be - for standard input. Stopped by Ctrl-C, it says whether the unit\n"
                "may have been left half programmed.\n",
                kTransferOptions, 1, 1, RunProgram},
    CommandInfo{"monitor", "monitor --port DEVICE [--count N] [--timeout SECONDS] [--csv] [--trace]",
                "print the unit's live values, one line per monitor frame, until Ctrl-C or N frames",
                "With --count, or with --timeout, it exits 1 when the unit stays silent that long;\n"
                "Ctrl-C ends it with 130.\n",
                kMonitorOptions, 0, 0, RunMonitor},
};

void PrintUsage(std::ostream& out) {
  out << "usage: zelmo-cli [--help | --version] COMMAND [OPTION]... [FILE]...\n\ncommands:\n";
  for (const CommandInfo& command : kCommands) {
    out << "  " << command.synopsis << "\n      " << command.summary << "\n";
  }
  out << "\n'zelmo-cli COMMAND --help' describes a command and its options.\n"
         "DEVICE is a serial device such as /dev/ttyUSB0, or COM1 to COM20.\n"
         "A FILE of - is standard input or standard output. Options take their value\n"
         "as --port DEVICE or --port=DEVICE; -- ends the options.\n"
         "\nExit status: 0 on success, 1 when a transfer with the unit failed or the\n"
         "unit stayed silent, 2 on a usage error, a file that cannot be read or\n"
         "written, a parameter file of another version or a port that cannot be\n"
         "opened, 3 when the unit holds another parameter-set version, 4 when program\n"
         "saw the unit confirm the parameters but it stopped answering while it saved\n"
         "them (check it with verify after reconnecting), 130 after Ctrl-C and 143\n"
         "after SIGTERM.\n"
         "\nread and program keep a history entry, as the window does, in\n"
         "$XDG_DATA_HOME/zelmo-tci/history (by default ~/.local/share/zelmo-tci/history;\n"
         "\"history\" in $ZELMO_TCI_CONFIG_DIR when it is set).\n";
}

LocalTime CurrentLocalTime() {
  const QDateTime now = QDateTime::currentDateTime();
  return LocalTime{now.date().year(), now.date().month(),  now.date().day(),
                   now.time().hour(), now.time().minute(), now.time().second()};
}

// The window's folders: its settings file names ports and its history folder
// keeps every read and program.
Context FindContext() {
  Context context;
  if (const auto files = FindConfigFiles(ProcessEnvironment)) {
    context.settingsFile = files->settingsFile;
    context.historyFolder = files->historyFolder;
  }
  context.localTime = CurrentLocalTime;
  return context;
}

// The command is the first word that is no option: zelmo-cli's own options
// take no values.
bool PaintsPictures(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--") return i + 1 < argc && std::string_view(argv[i + 1]) == "plot";
    if (!word.starts_with('-')) return word == "plot";
  }
  return false;
}

const CommandInfo* FindCommand(std::string_view name) {
  for (const CommandInfo& command : kCommands) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

int UnknownCommand(std::string_view name) {
  std::cerr << "zelmo-cli: unknown command '" << name << "'\nTry 'zelmo-cli --help' for the list of commands.\n";
  return kExitError;
}

int RunCommand(const CommandInfo& command, std::span<const std::string> arguments, const Context& context) {
  const ParsedCommand parsed = ParseCommand(command, arguments);
  if (parsed.help) {
    std::cout << CommandHelp(command);
    return kExitOk;
  }
  if (!parsed.line) {
    Invocation line;
    line.command = command.name;
    line.synopsis = command.synopsis;
    return UsageError(line, parsed.error, std::cerr);
  }
  return command.run(*parsed.line, context, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  TakeStopSignals();
  // Named so for the messages of Qt itself; the arguments are parsed below.
  int appArgc = 1;
  char appName[] = "zelmo-cli";
  char* appArgv[] = {appName, nullptr};
  // plot paints with fonts, which takes a GUI application; it never shows a
  // window, so it needs no display either.
  std::unique_ptr<QCoreApplication> application;
  if (PaintsPictures(argc, argv)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(appArgc, appArgv);
  } else {
    application = std::make_unique<QCoreApplication>(appArgc, appArgv);
  }

  // Options before the command belong to zelmo-cli; from the command's name on
  // everything is the command's.
  QCommandLineParser parser;
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")}, QString());
  parser.addOption(help);
  parser.addOption(version);
  QStringList words;
  for (int i = 0; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
  const bool ok = parser.parse(words);
  if (parser.isSet(help)) {
    PrintUsage(std::cout);
    return kExitOk;
  }
  if (!ok) {
    std::cerr << "zelmo-cli: " << parser.errorText().toStdString()
              << "\nTry 'zelmo-cli --help' for more information.\n";
    return kExitError;
  }
  if (parser.isSet(version)) {
    std::cout << VersionText("zelmo-cli");
    return kExitOk;
  }
  std::vector<std::string> arguments;
  for (const QString& word : parser.positionalArguments()) arguments.push_back(word.toLocal8Bit().toStdString());
  if (arguments.empty()) {
    PrintUsage(std::cerr);
    return kExitError;
  }
  const std::string name = arguments.front();
  const std::span<const std::string> rest = std::span<const std::string>(arguments).subspan(1);
  if (name == "help") {
    if (rest.empty()) {
      PrintUsage(std::cout);
      return kExitOk;
    }
    const CommandInfo* command = FindCommand(rest.front());
    if (!command) return UnknownCommand(rest.front());
    std::cout << CommandHelp(*command);
    return kExitOk;
  }
  const CommandInfo* command = FindCommand(name);
  if (!command) return UnknownCommand(name);
  return RunCommand(*command, rest, FindContext());
}
