#pragma once
// What every zelmo-cli command shares: its arguments, what main found out
// once at start, its streams and the exit codes.
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "core/files/history.h"

namespace zelmo::cli {

inline constexpr int kExitOk = 0;
// Usage errors, files that cannot be read or written, refused files.
inline constexpr int kExitError = 2;

// The arguments after the command name.
using Arguments = std::span<const std::string>;

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

using CommandHandler = int (*)(Arguments arguments, const Context& context, std::ostream& out, std::ostream& err);

}  // namespace zelmo::cli
