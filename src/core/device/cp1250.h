// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit sends its texts as 8-bit characters of code page 1250; the display
// wants UTF-8.
#include <cstdint>
#include <span>
#include <string>

namespace zelmo {

std::string Cp1250ToUtf8(std::span<const std::uint8_t> text);

}  // namespace zelmo
