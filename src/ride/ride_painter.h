// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws a recorded ride: the screen, the PNG and the PDF export all paint
// through these functions, so an export is what the window shows.
//
// The plot stacks lanes over one time axis: engine speed, advance and supply
// voltage as lines, each lane with its own value axis and unit, then the
// switches as step lines. Every series is drawn from its min/max envelope,
// one vertical stroke per pixel column, so the cost follows the width of the
// plot and not the length of the ride.
#include <QPainter>
#include <QRect>
#include <optional>

#include "core/model/parameter_image.h"
#include "ride/ride_data.h"

namespace zelmo {

struct RideScene {
  const RideData* data = nullptr;
  TimeView view;
  std::optional<std::int64_t> cursorMs;  // the read-out shows the row at this time
  std::uint8_t language = 0;
};

// Where the time axis lies inside a plot painted into `area`: the mouse
// handling maps pointer positions through it.
struct RideTimeAxis {
  double left = 0;
  double right = 1;
  TimeView view;

  std::int64_t timeAt(double x) const;
  double xAt(std::int64_t ms) const;
};

RideTimeAxis TimeAxisOf(const QRectF& area, const TimeView& view, const QFont& font, std::uint8_t language);

void PaintRidePlot(QPainter& painter, const QRectF& area, const RideScene& scene);

// The recorded (speed, advance) cells over the editor's curve, in the curve
// graph's own coordinates, darker where the engine ran more often.
void PaintRideVisits(QPainter& painter, const QRect& area, const RideVisits& visits, const ParameterImage& editor,
                     std::uint8_t language);

// Plot and visits side by side, as exported.
void PaintRideSheet(QPainter& painter, const QRect& area, const RideScene& scene, const ParameterImage& editor);

}  // namespace zelmo
