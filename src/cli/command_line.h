// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options of every zelmo-cli command in one table each, parsed with Qt's
// QCommandLineParser: "--name VALUE" and "--name=VALUE", "--" ends the
// options, a lone "-" is a file name (standard input or output).
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/command.h"

namespace zelmo::cli {

struct OptionInfo {
  std::string_view shortName;  // one letter, or empty
  std::string_view longName;
  std::string_view valueName;  // empty for a switch
  std::string_view description;
};

struct CommandInfo {
  std::string_view name;
  std::string_view synopsis;  // the command line after "zelmo-cli "
  std::string_view summary;   // one line for the list of commands
  std::string_view details;   // more for the command's own help; may be empty
  std::span<const OptionInfo> options;
  std::size_t minFiles = 0;
  std::size_t maxFiles = 0;
  CommandHandler run = nullptr;
};

struct ParsedCommand {
  std::optional<Invocation> line;  // none on an error or a request for help
  bool help = false;
  std::string error;
};

// arguments: what follows the command's name.
ParsedCommand ParseCommand(const CommandInfo& command, std::span<const std::string> arguments);

// The command's own help: synopsis, description and options.
std::string CommandHelp(const CommandInfo& command);

}  // namespace zelmo::cli
