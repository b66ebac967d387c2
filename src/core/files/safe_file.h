#pragma once
// Whole-file reading with a size cap, and saving that never leaves a short or
// half-written file behind: the text goes to a temporary file in the same
// folder, is flushed to disk and then renamed over the target.
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

// On failure the target keeps its old content and no temporary file remains.
FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace zelmo
