// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A colour as red, green and blue bytes, the way the pictures and the
// readability rules of the tool speak of colours.
#include <cstdint>

namespace zelmo {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

}  // namespace zelmo
