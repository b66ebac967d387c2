// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/bike_code.h"

#include <array>

namespace zelmo {
namespace {

struct BikeEntry {
  std::string_view text;
  std::uint8_t code;
};

constexpr std::array<BikeEntry, kBikeListSize> kBikes{{
    {"RKX 600                -98", 0},
    {"RKX 600            99-00", 1},
    {"RKX 900            ", 8},
    {"VZQ 1000 ", 2},
    {"LZQ 125", 3},
    {"LZQ 600", 4},
    {"SMQ 650", 7},
    {"QJ 750C", 9},
    {"QFR 750", 6},
    {"", kSpecialBikeCode},
}};

}  // namespace

std::optional<std::uint8_t> BikeIndexToCode(int listIndex) {
  if (listIndex < 0 || listIndex >= kBikeListSize) return std::nullopt;
  return kBikes[static_cast<std::size_t>(listIndex)].code;
}

std::optional<int> BikeCodeToIndex(std::uint8_t code) {
  for (int i = 0; i < kBikeListSize; ++i) {
    if (kBikes[static_cast<std::size_t>(i)].code == code) return i;
  }
  return std::nullopt;
}

std::string_view BikeListText(int listIndex) {
  if (listIndex < 0 || listIndex >= kBikeListSize) return {};
  return kBikes[static_cast<std::size_t>(listIndex)].text;
}

}  // namespace zelmo
