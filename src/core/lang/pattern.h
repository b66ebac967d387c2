// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language texts carry printf-style places ("%d", "%s"). Filling them by
// hand keeps a translated text from ever acting as a format string.
#include <string>
#include <string_view>

namespace zelmo {

// Replaces the first "%d" by the number.
std::string FillNumber(std::string_view pattern, long long value);
// Replaces the first "%s" by the text.
std::string FillText(std::string_view pattern, std::string_view value);

}  // namespace zelmo
