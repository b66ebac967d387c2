// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reading with a size cap, and saving that never leaves a short or
// half-written file behind: the text goes to a temporary file in the same
// folder (one fixed name per target, `.NAME.zelmo-save`), is flushed to disk
// and then renamed over the target. What is not a regular file (a FIFO, a
// terminal, /dev/stdout) is written into in place instead of being replaced.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace zelmo {

// Every file of the tool is a few hundred bytes; anything this big is not one
// of them and is refused rather than read into memory.
inline constexpr std::size_t kMaxFileSize = 4u * 1024u * 1024u;

struct FileResult {
  bool ok = true;
  std::string error;  // names the file and the reason when !ok
};

struct ReadResult {
  bool ok = false;
  bool missing = false;  // the file does not exist (not an error for optional files)
  std::string content;
  std::string error;
};

ReadResult ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize = kMaxFileSize);

// On failure a regular target keeps its old content and no temporary file
// remains. A link to a regular file stays a link; the file it names is
// replaced.
FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Removes the temporary files that saves into `folder` left when they were
// killed; saves still running are left alone. For folders whose files are
// each written once under a new name (the history).
void RemoveAbandonedSaves(const std::filesystem::path& folder);

}  // namespace zelmo
