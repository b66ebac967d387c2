// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every zelmo-cli command shares: its parsed command line, what main
// found out once at start, its streams and the exit codes.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/history.h"

namespace zelmo::cli {

inline constexpr int kExitOk = 0;
// Usage errors, files that cannot be read or written, refused files.
inline constexpr int kExitError = 2;

// A command's command line once its options are parsed: options by their long
// name, and the words that are no options (file names; "-" is one too).
struct Invocation {
  std::string_view command;
  std::string_view synopsis;  // after "zelmo-cli ", for usage errors
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> switches;
  std::vector<std::string> files;

  bool has(std::string_view name) const { return switches.contains(name) || values.contains(name); }
  std::optional<std::string> value(std::string_view name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
};

// Found once at start and handed to every command.
struct Context {
  // The window's settings file (its "PORTS" section names devices); none when
  // the environment names no configuration folder.
  std::optional<std::filesystem::path> settingsFile;
  // Where read and program keep their history entries, the window's folder.
  std::optional<std::filesystem::path> historyFolder;
  // The local time for the names of history entries.
  std::function<LocalTime()> localTime;
};

using CommandHandler = int (*)(const Invocation& line, const Context& context, std::ostream& out, std::ostream& err);

// "zelmo-cli: WHY", the synopsis and where to read more; returns kExitError.
int UsageError(const Invocation& line, std::string_view why, std::ostream& err);

}  // namespace zelmo::cli
