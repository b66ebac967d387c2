// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include "core/curve/curve_graph.h"
#include "core/model/ordering.h"
#include "core/model/parameter_table.h"

namespace zelmo {
namespace {

// A degenerate plot (zero height) gives NaN; it must not reach an int conversion.
double ClampToRange(double value, double low, double high) {
  if (std::isnan(value)) return low;
  return std::clamp(value, low, high);
}

}  // namespace

void CurveGraph::grab(int X, int Y, const ParameterImage& image) {
  grabbed = hitTest(X, Y, image);
  if (grabbed == LimiterPoint) {
    grabOffsetX = X - x(UserValue(image, Field::Limiter));
    grabOffsetY = 0;
  } else if (grabbed != NoPoint) {
    grabOffsetX = X - x(PointSpeed(image, grabbed));
    grabOffsetY = Y - y(PointAdvance(image, grabbed));
  }
}

void CurveGraph::mouse(MouseKind kind, int X, int Y, CurveDocument& document, CurveSurface& surface) {
  if ((X < areaLeft || X > areaRight || Y < areaTop || Y > areaBottom) && grabbed == NoPoint) {
    if (hovered != NoPoint) {
      hovered = NoPoint;
      request(GraphRedraw);
    }
    return;
  }
  if (scaleX == 0.0F) return;

  const int hit = hitTest(X, Y, document.image());
  if (hit != hovered && grabbed == NoPoint) {
    request(GraphRedraw);
    if (hit != NoPoint) surface.focusField(hit);
  }
  hovered = grabbed == NoPoint ? hit : NoPoint;

  switch (kind) {
    case MouseKind::Move:
      if (warpPending != 0) {
        warpPending = 0;
        return;
      }
      if (grabbed == NoPoint) return;
      drag(X, Y, document, surface);
      break;
    case MouseKind::Down:
      grab(X, Y, document.image());
      if (grabbed == NoPoint) return;
      request(GraphRedraw);
      break;
    case MouseKind::Up:
      if (grabbed != NoPoint) {
        grabbed = NoPoint;
        request(GraphRedraw);
        document.dragReleased();
      }
      break;
  }
  hovered = grabbed == NoPoint ? hit : NoPoint;
}

void CurveGraph::drag(int X, int Y, CurveDocument& document, CurveSurface& surface) {
  ParameterImage& image = document.image();
  const double dx = X - originX - grabOffsetX;
  const double dy = Y - originY - grabOffsetY;
  // Nearest 100 rpm and nearest degree; halfway goes to the larger speed and the smaller advance.
  const double rawSpeed = 100.0 * std::floor(dx / static_cast<double>(scaleX) * 0.01 + 0.5);
  const double rawAdvance = -std::floor(dy / static_cast<double>(scaleY) + 0.5);
  // The drag bounds of what is grabbed; the ordering pass then applies the
  // breakpoint bounds.
  const Range speedDrag = SpecOf(grabbed == LimiterPoint ? Field::Limiter : Field::RpmPoint).drag;
  const Range advanceDrag = SpecOf(grabbed == BasePoint ? Field::BaseAdvance : Field::Advance).drag;
  int speed = static_cast<int>(ClampToRange(rawSpeed, speedDrag.minimum, speedDrag.maximum));
  int advance = static_cast<int>(ClampToRange(rawAdvance, advanceDrag.minimum, advanceDrag.maximum));
  // A drawn pixel is truncated and the rounding above does not always lead
  // back to the value it came from: a pointer on the column (row) where the
  // point is drawn now keeps its speed (advance), so a straight vertical drag
  // never moves the speed and a straight horizontal one never the advance.
  const int currentSpeed = grabbed == LimiterPoint ? UserValue(image, Field::Limiter) : PointSpeed(image, grabbed);
  if (grabbed != BasePoint && X - grabOffsetX == x(currentSpeed)) speed = currentSpeed;
  if (grabbed != LimiterPoint) {
    const int currentAdvance = PointAdvance(image, grabbed);
    if (Y - grabOffsetY == y(currentAdvance)) advance = currentAdvance;
  }

  if (IsBreakpointCode(grabbed)) {
    SetUserValue(image, Field::RpmPoint, speed, grabbed);
    const int delta = advance - UserValue(image, Field::Advance, grabbed);
    for (int i = 0; i < kBreakpointCount; ++i) {
      if (i != grabbed && allMode == 0) continue;
      const int moved = UserValue(image, Field::Advance, i) + delta;
      SetUserValue(image, Field::Advance, std::clamp(moved, advanceDrag.minimum, advanceDrag.maximum), i);
    }
  } else if (grabbed == BasePoint) {
    SetUserValue(image, Field::BaseAdvance, advance);
  } else {
    SetUserValue(image, Field::Limiter, speed);
  }

  OrderingMemory& memory = document.orderingMemory();
  memory.movedPoint = grabbed;
  OrderBreakpoints(image, memory, document.storedChoices());
  memory.movedPoint = kNoMovedPoint;
  document.dragStepped();

  // Keep the pointer on the point when the axes change under it.
  const float oldScaleX = scaleX;
  const float oldScaleY = scaleY;
  rescale(surface.graphWidth(), surface.graphHeight(), image);
  const ScreenPoint origin = surface.screenOrigin();
  if (scaleX != oldScaleX) {
    surface.movePointer(origin.x + x(speed) + grabOffsetX, origin.y + Y);
    if (surface.reportsProgramMoves()) warpPending = 1;
  }
  if (scaleY != oldScaleY) {
    surface.movePointer(origin.x + X, origin.y + y(advance) + grabOffsetY);
    if (surface.reportsProgramMoves()) warpPending = 1;
  }
  request(GraphRedraw);
}

void CurveGraph::mouseLeave() {
  if (hovered == NoPoint) return;
  hovered = NoPoint;
  request(GraphRedraw);
}

void CurveGraph::takeShift(bool shiftDown) {
  const int mode = shiftDown ? 1 : 0;
  if (mode == allMode) return;
  allMode = mode;
  request(GraphRedraw);
}

bool CurveGraph::tick(bool shiftDown, int liveRpm) {
  takeShift(shiftDown);
  if (liveRpm != lastLiveRpm) {
    lastLiveRpm = liveRpm;
    request(GraphRedraw);
  }
  return graphRequest != 0;
}

}  // namespace zelmo
