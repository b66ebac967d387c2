// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/eeprom_file.h"

#include <algorithm>

namespace zelmo::sim {

EepromLoad LoadEeprom(const std::filesystem::path& path) {
  EepromLoad load;
  const ReadResult read = ReadWholeFile(path, kEepromFileSize);
  if (read.missing) {
    load.missing = true;
    return load;
  }
  if (!read.ok) {
    load.error = read.error;
    return load;
  }
  // Anything but the exact size is not ours; better to refuse than to overwrite it.
  if (read.content.size() != kEepromFileSize) {
    load.error = path.string() + ": not a unit memory file (" + std::to_string(read.content.size()) +
                 " bytes, expected " + std::to_string(kEepromFileSize) + ")";
    return load;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(read.content.data());
  std::copy_n(bytes, kImageSize, load.memory.block.begin());
  load.memory.programmingCount = static_cast<std::uint16_t>(bytes[kImageSize] | (bytes[kImageSize + 1] << 8));
  load.ok = true;
  return load;
}

FileResult SaveEeprom(const std::filesystem::path& path, const UnitMemory& memory) {
  std::string content(memory.block.begin(), memory.block.end());
  content.push_back(static_cast<char>(memory.programmingCount & 0xFF));
  content.push_back(static_cast<char>(memory.programmingCount >> 8));
  return WriteFileAtomically(path, content);
}

}  // namespace zelmo::sim
