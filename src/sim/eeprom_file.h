// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulated unit's memory on disk, so a unit keeps what it was programmed
// with across restarts: the 50 parameter bytes, then the programming count as
// two bytes, low byte first.
#include <filesystem>
#include <string>

#include "core/files/safe_file.h"
#include "sim/simulated_unit.h"

namespace zelmo::sim {

inline constexpr std::size_t kEepromFileSize = kImageSize + 2;

struct EepromLoad {
  bool ok = false;
  bool missing = false;  // a new unit: nothing stored yet
  UnitMemory memory;
  std::string error;
};

EepromLoad LoadEeprom(const std::filesystem::path& path);
FileResult SaveEeprom(const std::filesystem::path& path, const UnitMemory& memory);

}  // namespace zelmo::sim
