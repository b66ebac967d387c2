// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a text reads on its background: the contrast ratio of the WCAG 2
// guidelines, from 1 (the same colour) to 21 (black on white). Body text
// needs at least 4.5.
#include "core/look/rgb.h"

namespace zelmo {

inline constexpr double kReadableContrast = 4.5;

double ContrastRatio(Rgb a, Rgb b);
// Black or white, whichever reads better on the fill.
Rgb TextColourOn(Rgb fill);
// The colour nearest to `preferred` on the way to black or white (whichever
// reads better on the background) that reaches the readable contrast; the
// preferred colour itself when it already does.
Rgb ReadableTint(Rgb preferred, Rgb background);

}  // namespace zelmo
