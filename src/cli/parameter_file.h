// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Parameter files as the command-line tool reads and writes them: a file name
// of "-" means standard input when read and standard output when written.
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/parameter_image.h"

namespace zelmo::cli {

inline constexpr std::string_view kStandardStream = "-";

// Reads a parameter file as the window's Open does, onto the image of a first
// start (not yet ordered). Says on err what went wrong, naming the file.
std::optional<ParameterImage> LoadParameterFile(const std::string& path, std::ostream& err);

// Saves text whole (see WriteFileAtomically), or puts the same bytes on out
// for "-".
// Says on err what went wrong.
bool WriteOutputFile(const std::string& path, const std::string& text, std::ostream& out, std::ostream& err);

// Flushes out and says on err when it could not be written (a full disk, a
// closed pipe): output that never arrived is no success.
bool OutputWritten(std::ostream& out, std::ostream& err);

// How messages name a file: "standard input" for "-".
std::string InputName(const std::string& path);

}  // namespace zelmo::cli
