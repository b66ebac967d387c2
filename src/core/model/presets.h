// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Default parameters and the per-bike presets.
#include <array>
#include <cstdint>

#include "core/model/parameter_image.h"

namespace zelmo {

struct CurvePoint {
  std::uint8_t rpm;      // hundreds of rpm
  std::uint8_t advance;  // degrees
};

inline constexpr std::array<CurvePoint, kBreakpointCount> DefaultCurve{{
    {15, 5}, {20, 15}, {30, 20}, {40, 25}, {50, 33}, {60, 33}, {70, 33}, {80, 33}, {90, 33}, {100, 33},
}};

// Loads the defaults (unless the special bike is being chosen from the list,
// which keeps the user's curve and settings), then the row of the image's bike
// code. Clears bikeChosen.
void ApplyBikePresets(ParameterImage& image, bool& bikeChosen);

// What the New command and a first start produce for a bike code: an all-zero
// image with the code, the presets applied and no correction.
ParameterImage NewParameters(std::uint8_t bikeCode);

}  // namespace zelmo
