// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a save to a path can succeed, asked before work that would be lost
// if it cannot: a read from the unit, for one.
#include <filesystem>

#include "core/files/safe_file.h"

namespace zelmo {

// Tries what WriteFileAtomically needs: a file created in the target's folder
// (the folder of the file a link points to), removed again at once. A folder
// in the target's place fails. Something that is no regular file (a pipe, a
// device) is written in place and is not tried, as opening it could block.
FileResult CheckWritable(const std::filesystem::path& path);

}  // namespace zelmo
