// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/curve/curve_graph.h"

#include <algorithm>
#include <cmath>

namespace zelmo {
namespace {

constexpr int kReach = 5;  // pixels around a point or the limiter line that catch the pointer

// Truncation toward zero of a value that may lie far outside int or be NaN
// (a degenerate plot size), so no conversion is ever undefined.
int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  value = std::clamp(value, -1e9, 1e9);
  return static_cast<int>(std::trunc(value));
}

}  // namespace

int CurveGraph::x(int speed) const {
  return TruncToInt(static_cast<double>(originX) + static_cast<double>(speed) * static_cast<double>(scaleX));
}

int CurveGraph::y(int advance) const {
  return TruncToInt(static_cast<double>(originY) - static_cast<double>(advance) * static_cast<double>(scaleY));
}

int CurveGraph::gridX(int i) const {
  return originX + TruncToInt(std::floor(static_cast<double>(i) * static_cast<double>(scaleX) * 1000.0 + 0.5));
}

int CurveGraph::gridY(int j) const {
  return originY - TruncToInt(std::floor(static_cast<double>(j) * static_cast<double>(scaleY) * 5.0 + 0.5));
}

void CurveGraph::rescale(int width, int height, const ParameterImage& image) {
  areaLeft = 0;
  areaTop = 0;
  areaRight = width;
  areaBottom = height;

  // The last breakpoint is the highest: the ordering pass keeps them ascending.
  const int m = std::max(UserValue(image, Field::RpmPoint, kBreakpointCount - 1), UserValue(image, Field::Limiter));
  rpmMax = ((m + 900 + 2400) / 2500) * 2500;

  int a = UserValue(image, Field::BaseAdvance);
  for (int i = 0; i < kBreakpointCount; ++i) a = std::max(a, UserValue(image, Field::Advance, i));
  degMax = ((a + 2 + 4) / 5) * 5;

  originX = areaLeft + marginLeft;
  originY = areaBottom - marginBottom;
  plotWidth = areaRight - areaLeft - marginLeft - marginRight;
  plotHeight = areaBottom - areaTop - marginTop - marginBottom;
  scaleX = static_cast<float>(static_cast<double>(plotWidth) / rpmMax);
  scaleY = static_cast<float>(static_cast<double>(plotHeight) / degMax);
}

int CurveGraph::hitTest(int X, int Y, const ParameterImage& image) const {
  int best = 1000;
  int hit = NoPoint;
  for (int p = BasePoint; p < kBreakpointCount; ++p) {
    const int px = x(PointSpeed(image, p));
    const int py = y(PointAdvance(image, p));
    if (X < px - kReach || X > px + kReach || Y < py - kReach || Y > py + kReach) continue;
    const double dxp = X - px;
    const double dyp = Y - py;
    const int d = TruncToInt(std::sqrt(dxp * dxp + dyp * dyp));
    if (d < best) {
      best = d;
      hit = p;
    }
  }
  if (hit == NoPoint) {
    const int xL = x(UserValue(image, Field::Limiter));
    if (X >= xL - kReach && X <= xL + kReach) hit = LimiterPoint;
  }
  return hit;
}

}  // namespace zelmo
