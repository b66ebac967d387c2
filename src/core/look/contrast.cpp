// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/look/contrast.h"

#include <algorithm>
#include <cmath>

namespace zelmo {
namespace {

constexpr Rgb kBlackRgb{0, 0, 0};
constexpr Rgb kWhiteRgb{255, 255, 255};

double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb colour) {
  return 0.2126 * Linear(colour.r) + 0.7152 * Linear(colour.g) + 0.0722 * Linear(colour.b);
}

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, int step, int steps) {
  return static_cast<std::uint8_t>(from + (to - from) * step / steps);
}

}  // namespace

double ContrastRatio(Rgb a, Rgb b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb TextColourOn(Rgb fill) {
  return ContrastRatio(kBlackRgb, fill) >= ContrastRatio(kWhiteRgb, fill) ? kBlackRgb : kWhiteRgb;
}

Rgb ReadableTint(Rgb preferred, Rgb background) {
  const Rgb target = TextColourOn(background);
  constexpr int kSteps = 64;
  for (int step = 0; step < kSteps; ++step) {
    const Rgb tint{Mix(preferred.r, target.r, step, kSteps), Mix(preferred.g, target.g, step, kSteps),
                   Mix(preferred.b, target.b, step, kSteps)};
    if (ContrastRatio(tint, background) >= kReadableContrast) return tint;
  }
  return target;
}

}  // namespace zelmo
