// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bike type: a code 0..9 in the image and in files, shown by the bike list
// in another order. The tenth list item is the special setting, whose text
// belongs to the current language.
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelmo {

inline constexpr int kBikeListSize = 10;
inline constexpr std::uint8_t kSpecialBikeCode = 5;
inline constexpr int kSpecialBikeIndex = 9;
inline constexpr int kTwinPickupBikeIndex = 8;  // "QFR 750"
inline constexpr std::uint8_t kInversePolarityBikeCode = 7;  // "SMQ 650"

// List index 0..9 to code; nothing for an index outside (no item selected).
std::optional<std::uint8_t> BikeIndexToCode(int listIndex);
// Code to list index; nothing for a code above 9.
std::optional<int> BikeCodeToIndex(std::uint8_t code);
// The fixed list texts of items 0..8, exactly as shown; empty for item 9 and beyond.
std::string_view BikeListText(int listIndex);

}  // namespace zelmo
