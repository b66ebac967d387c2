// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ordering.h"

#include <algorithm>

#include "core/model/parameter_table.h"

namespace zelmo {

void ForgetPushes(OrderingMemory& memory) {
  memory.pushed.fill(false);
  memory.homeRpm.fill(0);
  memory.movedPoint = kNoMovedPoint;
}

void PushNeighbours(ParameterImage& image, OrderingMemory& memory, int p, int d) {
  // Iterative form of the recursive chain push: each neighbour in the way is
  // put one step beyond the point that pushes it.
  for (;;) {
    const int n = p + d;
    if (n < 0 || n >= kBreakpointCount) return;
    const bool inTheWay = d < 0 ? image.rpmPoint(n) >= image.rpmPoint(p) : image.rpmPoint(n) <= image.rpmPoint(p);
    if (!inTheWay) return;
    const auto ni = static_cast<std::size_t>(n);
    if (!memory.pushed[ni]) memory.homeRpm[ni] = image.rpmPoint(n);
    memory.pushed[ni] = true;
    image.rpmPoint(n) = static_cast<std::uint8_t>(image.rpmPoint(p) + d);
    p = n;
  }
}

void ClampComSettings(StoredChoices& choices) {
  if (choices.languageId > 3) choices.languageId = 0;
  if (choices.selectedComIndex >= kComItemCount) choices.selectedComIndex = 0;
  if (choices.autoPortIndex >= 20) choices.autoPortIndex = 0;
}

namespace {

// The bounds of the pass in bytes. For breakpoints these are breakpoint 1's;
// breakpoint i's are i bytes higher.
constexpr const ParameterSpec& kSpeed = SpecOf(Field::RpmPoint);
constexpr int kLowest = FromUser(kSpeed, kSpeed.ordered.minimum);
constexpr int kHighest = FromUser(kSpeed, kSpeed.ordered.maximum);
constexpr int kLowestDragged = FromUser(kSpeed, kSpeed.orderedDragged.minimum);
constexpr int kHighestDragged = FromUser(kSpeed, kSpeed.orderedDragged.maximum);
constexpr std::uint8_t kLowestLimiter = FromUser(SpecOf(Field::Limiter), SpecOf(Field::Limiter).ordered.minimum);

void ReturnPushedPoints(ParameterImage& image, OrderingMemory& memory) {
  for (int sweep = 0; sweep < 10; ++sweep) {
    for (int j = 0; j < kBreakpointCount; ++j) {
      const auto ji = static_cast<std::size_t>(j);
      if (!memory.pushed[ji]) continue;
      const int home = memory.homeRpm[ji];
      if (image.rpmPoint(j) < home) {
        int target = home;
        if (j < 9) target = std::min(target, image.rpmPoint(j + 1) - 1);
        image.rpmPoint(j) = static_cast<std::uint8_t>(target);
      }
      if (image.rpmPoint(j) > home) {
        int target = home;
        if (j > 0) target = std::max(target, image.rpmPoint(j - 1) + 1);
        image.rpmPoint(j) = static_cast<std::uint8_t>(target);
      }
      if (image.rpmPoint(j) == home) memory.pushed[ji] = false;
    }
  }
}

void SpreadUpwards(ParameterImage& image) {
  for (int i = 1; i < kBreakpointCount; ++i) {
    if (image.rpmPoint(i) <= image.rpmPoint(i - 1)) image.rpmPoint(i) = static_cast<std::uint8_t>(image.rpmPoint(i - 1) + 1);
  }
}

}  // namespace

void OrderBreakpoints(ParameterImage& image, OrderingMemory& memory, StoredChoices& choices) {
  if (memory.movedPoint != memory.lastMovedPoint) {
    memory.lastMovedPoint = memory.movedPoint;
    ForgetPushes(memory);
    memory.movedPoint = memory.lastMovedPoint;
  }
  const int k = memory.movedPoint;
  if (k >= 0 && k < kBreakpointCount) {
    if (image.rpmPoint(k) < k + kLowestDragged) image.rpmPoint(k) = static_cast<std::uint8_t>(k + kLowestDragged);
    PushNeighbours(image, memory, k, -1);
    if (image.rpmPoint(k) > k + kHighestDragged) image.rpmPoint(k) = static_cast<std::uint8_t>(k + kHighestDragged);
    PushNeighbours(image, memory, k, +1);
    ReturnPushedPoints(image, memory);
  } else {
    for (int i = 0; i < kBreakpointCount; ++i) {
      if (image.rpmPoint(i) < i + kLowest) image.rpmPoint(i) = static_cast<std::uint8_t>(i + kLowest);
      if (image.rpmPoint(i) > i + kHighest) image.rpmPoint(i) = static_cast<std::uint8_t>(i + kHighest);
    }
    SpreadUpwards(image);
  }
  if (image.limiter() < kLowestLimiter) image.limiter() = kLowestLimiter;
  SpreadUpwards(image);
  ClampComSettings(choices);
}

}  // namespace zelmo
