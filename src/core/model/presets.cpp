// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/presets.h"

#include <optional>

#include "core/model/bike_code.h"

namespace zelmo {
namespace {

struct Preset {
  std::optional<std::uint8_t> top14, top23, limiter, longExcitation;
};

// Indexed by bike code; nullopt means the field is kept.
constexpr std::array<Preset, 10> kPresets{{
    {3, 9, 137, 1},
    {3, 9, 138, 0},
    {6, 9, 105, 1},
    {6, 9, 120, 1},
    {4, 9, 100, 1},
    {std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    {std::nullopt, std::nullopt, 120, 1},
    {7, 7, 90, 1},
    {3, 9, 120, 1},
    {6, 9, 63, 1},
}};

}  // namespace

void ApplyBikePresets(ParameterImage& image, bool& bikeChosen) {
  if (!(image.bikeCode() == kSpecialBikeCode && bikeChosen)) {
    image.baseAdvance() = 5;
    image.tacho2x() = 1;
    image.speedCorrection() = 100;
    image.blockEnable() = 1;
    for (int i = 0; i < kBreakpointCount; ++i) {
      image.rpmPoint(i) = DefaultCurve[static_cast<std::size_t>(i)].rpm;
      image.advance(i) = DefaultCurve[static_cast<std::size_t>(i)].advance;
    }
  }
  image.inverseInput() = image.bikeCode() == kInversePolarityBikeCode ? 1 : 0;
  if (image.bikeCode() < kPresets.size()) {
    const Preset& p = kPresets[image.bikeCode()];
    if (p.top14) image.top14() = *p.top14;
    if (p.top23) image.top23() = *p.top23;
    if (p.limiter) image.limiter() = *p.limiter;
    if (p.longExcitation) image.longExcitation() = *p.longExcitation;
  }
  bikeChosen = false;
}

ParameterImage NewParameters(std::uint8_t bikeCode) {
  ParameterImage image;
  image.bikeCode() = bikeCode;
  bool bikeChosen = false;
  ApplyBikePresets(image, bikeChosen);
  return image;
}

}  // namespace zelmo
