// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cctype>
#include <ostream>
#include <vector>

namespace zelmo::cli {
namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr OptionInfo kHelpOption{"h", "help", "", "show this help and exit"};

QCommandLineOption ToQt(const OptionInfo& entry) {
  QStringList names;
  if (!entry.shortName.empty()) names << Q(entry.shortName);
  names << Q(entry.longName);
  QCommandLineOption option(names, Q(entry.description));
  if (!entry.valueName.empty()) option.setValueName(Q(entry.valueName));
  return option;
}

std::string OptionColumn(const OptionInfo& entry) {
  std::string column = entry.shortName.empty() ? "    " : "-" + std::string(entry.shortName) + ", ";
  column += "--" + std::string(entry.longName);
  if (!entry.valueName.empty()) column += " " + std::string(entry.valueName);
  return column;
}

}  // namespace

int UsageError(const Invocation& line, std::string_view why, std::ostream& err) {
  err << "zelmo-cli: " << why << "\nusage: zelmo-cli " << line.synopsis << "\nTry 'zelmo-cli " << line.command
      << " --help' for more information.\n";
  return kExitError;
}

ParsedCommand ParseCommand(const CommandInfo& command, std::span<const std::string> arguments) {
  ParsedCommand parsed;
  QCommandLineParser parser;
  parser.addOption(ToQt(kHelpOption));
  for (const OptionInfo& option : command.options) parser.addOption(ToQt(option));
  // The parser skips the first word as the program's name.
  QStringList words{QStringLiteral("zelmo-cli")};
  for (const std::string& argument : arguments) words << QString::fromLocal8Bit(argument);
  const bool ok = parser.parse(words);
  // Asking for help is never an error, whatever else the line holds.
  if (parser.isSet(QStringLiteral("help"))) {
    parsed.help = true;
    return parsed;
  }
  if (!ok) {
    parsed.error = parser.errorText().toStdString();
    return parsed;
  }
  Invocation line;
  line.command = command.name;
  line.synopsis = command.synopsis;
  for (const OptionInfo& option : command.options) {
    const QString name = Q(option.longName);
    if (!parser.isSet(name)) continue;
    if (option.valueName.empty()) {
      line.switches.insert(std::string(option.longName));
    } else {
      line.values[std::string(option.longName)] = parser.value(name).toLocal8Bit().toStdString();
    }
  }
  for (const QString& word : parser.positionalArguments()) line.files.push_back(word.toLocal8Bit().toStdString());
  if (line.files.size() < command.minFiles) {
    parsed.error =
        command.minFiles == 1 && command.maxFiles == 1 ? "a file name is required" : "file names are missing";
    return parsed;
  }
  if (line.files.size() > command.maxFiles) {
    parsed.error = "unexpected argument '" + line.files[command.maxFiles] + "'";
    return parsed;
  }
  parsed.line = std::move(line);
  return parsed;
}

std::string CommandHelp(const CommandInfo& command) {
  std::vector<OptionInfo> options(command.options.begin(), command.options.end());
  options.push_back(kHelpOption);
  std::size_t width = 0;
  for (const OptionInfo& option : options) width = std::max(width, OptionColumn(option).size());
  std::string summary(command.summary);
  if (!summary.empty()) summary.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(summary.front())));
  std::string text = "usage: zelmo-cli " + std::string(command.synopsis) + "\n\n" + summary + ".\n";
  if (!command.details.empty()) text += "\n" + std::string(command.details);
  text += "\noptions:\n";
  for (const OptionInfo& option : options) {
    const std::string column = OptionColumn(option);
    text += "  " + column + std::string(width - column.size() + 3, ' ') + std::string(option.description) + "\n";
  }
  return text;
}

}  // namespace zelmo::cli
