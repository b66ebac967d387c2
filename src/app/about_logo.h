// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The project's own logo for the about box.
#include <QPixmap>

namespace zelmo {

inline constexpr int kAboutLogoWidth = 161;
inline constexpr int kAboutLogoHeight = 81;

// A stylised "Z" with a spark on a white ground, 161 x 81 pixels.
QPixmap AboutLogo();

}  // namespace zelmo
