// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shadow copy of the parameter area: 55 unsigned decimal numbers, so
// that the parameters on screen at the end of one run come back at the next.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/model/parameter_image.h"

namespace zelmo {

// Each byte as "%5u ", a CR LF after bytes 9, 19, 29, 39 and 49, none at the end.
std::string WriteShadowFile(const ParameterImage& area);

// Fills bytes 0, 1, 2, ... with the low 8 bits of each number until 55 are
// stored, the text ends, or a word is not an unsigned decimal number; later
// bytes keep their values. Returns how many bytes were set.
std::size_t ReadShadowFile(std::string_view content, ParameterImage& area);

}  // namespace zelmo
