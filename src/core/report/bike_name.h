// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A bike code as people read it: the bike list's name, the special setting in
// the selected language, or the bare number for a code no list item has.
#include <cstdint>
#include <string>

namespace zelmo {

// The list texts lose their trailing padding; the spaces inside stay.
std::string BikeDisplayName(std::uint8_t bikeCode, std::uint8_t languageId);

}  // namespace zelmo
