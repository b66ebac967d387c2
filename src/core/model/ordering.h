// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pass that keeps the ten speed breakpoints strictly increasing and within
// bounds, with push and return while one point is dragged on the graph.
#include <array>
#include <cstdint>

#include "core/model/parameter_image.h"

namespace zelmo {

// movedPoint codes besides 0..9 (a dragged breakpoint).
inline constexpr int kNoMovedPoint = -1;
inline constexpr int kControlEdit = -2;

struct OrderingMemory {
  int movedPoint = kNoMovedPoint;
  int lastMovedPoint = 0;
  std::array<bool, kBreakpointCount> pushed{};
  std::array<std::uint8_t, kBreakpointCount> homeRpm{};
};

// The stored choices that every ordering pass brings back into range.
struct StoredChoices {
  std::uint8_t languageId = 0;
  std::uint8_t selectedComIndex = 1;
  std::uint8_t autoPortIndex = 0;
};

inline constexpr std::uint8_t kAutoComIndex = 20;
inline constexpr int kComItemCount = 21;

void ForgetPushes(OrderingMemory& memory);
void PushNeighbours(ParameterImage& image, OrderingMemory& memory, int p, int d);
void ClampComSettings(StoredChoices& choices);
void OrderBreakpoints(ParameterImage& image, OrderingMemory& memory, StoredChoices& choices);

}  // namespace zelmo
