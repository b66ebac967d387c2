// zelmo-cli: the parameter tools of the Zelmo TCI programmer on the command
// line. One table names every command; a command is one function.
#include <QDateTime>
#include <array>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "cli/device_commands.h"
#include "cli/offline_commands.h"
#include "core/settings/config_dir.h"

namespace {

using namespace zelmo;
using namespace zelmo::cli;

struct Command {
  std::string_view name;
  std::string_view synopsis;
  std::string_view summary;
  CommandHandler run;
};

constexpr std::array kCommands{
    Command{"new", "new [--bike CODE] OUT.ign", "write the default parameters of a bike (code 0..9, default 0)", RunNew},
    Command{"image", "image FILE.ign", "print the 50 image bytes of a file as hex", RunImage},
    Command{"show", "show FILE.ign", "print the parameters of a file in user units", RunShow},
    Command{"normalize", "normalize IN.ign OUT.ign", "load a file as the window opens it and save it again", RunNormalize},
    Command{"ports", "ports", "list the COM numbers and the devices they stand for", RunPorts},
    Command{"read", "read --port DEVICE [-o OUT.ign] [--trace]",
            "read the unit's parameters into a file (standard output without -o), then verify them", RunRead},
    Command{"verify", "verify --port DEVICE FILE.ign [--trace]", "compare the unit's parameters with a file", RunVerify},
    Command{"program", "program --port DEVICE FILE.ign [--trace]",
            "program a file into the unit, verify it and wait until the unit has saved it", RunProgram},
    Command{"monitor", "monitor --port DEVICE [--count N] [--csv] [--trace]",
            "print the unit's live values, one line per monitor frame, until Ctrl-C or N frames", RunMonitor},
};

void PrintUsage(std::ostream& out) {
  out << "usage: zelmo-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
  for (const Command& command : kCommands) {
    out << "  " << command.synopsis << "\n      " << command.summary << "\n";
  }
  out << "\nDEVICE is a serial device such as /dev/ttyUSB0, or COM1 to COM20.\n"
         "\nExit status: 0 on success, 1 when a transfer with the unit failed, 2 on a\n"
         "usage error, a file that cannot be read or written, a parameter file of\n"
         "another version or a port that cannot be opened, 3 when the unit holds\n"
         "another parameter-set version, 4 when program saw the unit confirm the\n"
         "parameters but it stopped answering while it saved them (check it with\n"
         "verify after reconnecting).\n"
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

}  // namespace

int main(int argc, char** argv) {
  const Context context = FindContext();
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (arguments.empty()) {
    PrintUsage(std::cerr);
    return kExitError;
  }
  const std::string& name = arguments.front();
  if (name == "help" || name == "--help" || name == "-h") {
    PrintUsage(std::cout);
    return kExitOk;
  }
  for (const Command& command : kCommands) {
    if (command.name == name) {
      return command.run(Arguments(arguments).subspan(1), context, std::cout, std::cerr);
    }
  }
  std::cerr << "zelmo-cli: unknown command '" << name << "'\n\n";
  PrintUsage(std::cerr);
  return kExitError;
}
