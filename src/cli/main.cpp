// zelmo-cli: the parameter tools of the Zelmo TCI programmer on the command
// line. One table names every command; a command is one function.
#include <array>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "cli/offline_commands.h"

namespace {

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
};

void PrintUsage(std::ostream& out) {
  out << "usage: zelmo-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
  for (const Command& command : kCommands) {
    out << "  " << command.synopsis << "\n      " << command.summary << "\n";
  }
  out << "\nExit status: 0 on success, 2 on a usage error, a file that cannot be\n"
         "read or written, or a parameter file of another version.\n";
}

}  // namespace

int main(int argc, char** argv) {
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
      return command.run(Arguments(arguments).subspan(1), std::cout, std::cerr);
    }
  }
  std::cerr << "zelmo-cli: unknown command '" << name << "'\n\n";
  PrintUsage(std::cerr);
  return kExitError;
}
