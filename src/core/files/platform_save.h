// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a save writes and how its temporary file is held: the parts of a
// safe save that differ between POSIX and Windows. One of the core's platform
// files: the only place in src/core/files that locks, inspects or opens the
// save's files by the system's own calls.
#include <filesystem>

namespace zelmo::platform {

struct SaveDestination {
  std::filesystem::path target;
  // Not a regular file (a FIFO, a terminal, a device) or a descriptor of a
  // process: written into where it is, never replaced by a file.
  bool inPlace = false;
};

// Follows links: a link to a regular file is kept and the file it leads to
// is the target; a pipe, a device or a process's descriptor is written in place.
SaveDestination ResolveSaveTarget(const std::filesystem::path& requested);
// Opens (creating or taking over) the save's temporary file and holds it for
// this save alone until it is closed; -1 with the reason in error.
int OpenSaveTemporary(const std::filesystem::path& path, int& error);
// Whether the temporary file may be renamed while it is still open (its lock
// then covers the rename).
bool RenameWhileOpen();
// Opens a destination written in place; -1 with errno set.
int OpenInPlace(const std::filesystem::path& path);
// Removes a temporary file that no running save holds.
void RemoveIfAbandoned(const std::filesystem::path& file);

}  // namespace zelmo::platform
