#pragma once
// What every zelmo-cli command shares: its arguments, its streams and the
// exit codes.
#include <ostream>
#include <span>
#include <string>

namespace zelmo::cli {

inline constexpr int kExitOk = 0;
// Usage errors, files that cannot be read or written, refused files.
inline constexpr int kExitError = 2;

// The arguments after the command name.
using Arguments = std::span<const std::string>;
using CommandHandler = int (*)(Arguments arguments, std::ostream& out, std::ostream& err);

}  // namespace zelmo::cli
