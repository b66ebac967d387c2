// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/history_move.h"

#include <algorithm>
#include <system_error>

#include "core/files/history.h"
#include "core/files/safe_file.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

bool SameContent(const fs::path& a, const fs::path& b) {
  const ReadResult left = ReadWholeFile(a);
  const ReadResult right = ReadWholeFile(b);
  return left.ok && right.ok && left.content == right.content;
}

// Puts entry at target without replacing anything there; empty on success.
std::string MoveOne(const fs::path& entry, const fs::path& target) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(target, error))) {
    // Left over from a move that stopped between copying and removing.
    if (SameContent(entry, target)) {
      fs::remove(entry, error);
      return error ? error.message() : std::string();
    }
    return "another entry of that name is already in " + target.parent_path().string();
  }
  // A hard link fails rather than replace a file that appeared meanwhile.
  fs::create_hard_link(entry, target, error);
  if (error) {
    // Another file system, or one without links: copy, then the old one goes.
    fs::copy_file(entry, target, fs::copy_options::none, error);
    if (!error) fs::last_write_time(target, fs::last_write_time(entry, error), error);
    if (error) {
      std::error_code ignored;
      if (!fs::exists(fs::symlink_status(target, ignored)) || !SameContent(entry, target)) fs::remove(target, ignored);
      return error.message();
    }
  }
  fs::remove(entry, error);
  return error ? error.message() : std::string();
}

}  // namespace

HistoryMoveResult MoveHistory(const fs::path& oldFolder, const fs::path& folder) {
  HistoryMoveResult result;
  std::error_code error;
  if (oldFolder.empty() || !fs::is_directory(oldFolder, error)) return result;
  if (fs::equivalent(oldFolder, folder, error)) return result;

  std::vector<fs::path> entries;
  for (fs::directory_iterator it(oldFolder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file() && ParseHistoryFileName(it->path().filename().string())) entries.push_back(it->path());
  }
  if (error) {
    result.kept.push_back(oldFolder.string() + ": " + error.message());
    return result;
  }
  if (entries.empty()) {
    fs::remove(oldFolder, error);  // only when nothing else is in it
    return result;
  }
  std::ranges::sort(entries);
  fs::create_directories(folder, error);
  if (error) {
    result.kept.push_back(folder.string() + ": " + error.message());
    return result;
  }
  for (const fs::path& entry : entries) {
    const std::string problem = MoveOne(entry, folder / entry.filename());
    if (problem.empty()) {
      ++result.moved;
    } else {
      result.kept.push_back(entry.string() + ": " + problem);
    }
  }
  fs::remove(oldFolder, error);
  return result;
}

}  // namespace zelmo
