// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Earlier versions kept the history beside the settings file; its entries move
// to the history folder of the data folder, each file as it is.
#include <filesystem>
#include <string>
#include <vector>

namespace zelmo {

struct HistoryMoveResult {
  int moved = 0;
  // One line per entry left in the old folder: its file and why.
  std::vector<std::string> kept;
};

// Moves every history entry (HistoryFileName names only) from oldFolder into
// folder, content and time stamp unchanged. An entry is never overwritten: one
// whose name folder already holds with other content stays where it was, as
// does one that cannot be moved; a copy that failed half way is taken away
// again. The old folder is removed once it is empty. A missing old folder
// moves nothing, so running it again changes nothing.
HistoryMoveResult MoveHistory(const std::filesystem::path& oldFolder, const std::filesystem::path& folder);

}  // namespace zelmo
