// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The time window the viewer shows and how the mouse moves it: zoom around
// the pointer, pan by dragging, the whole ride on a double click. The window
// always stays inside the ride and never shrinks below kMinSpanMs, so a
// wheel held down cannot zoom into nothing.
#include <cstdint>
#include <string>
#include <vector>

namespace zelmo {

struct TimeView {
  std::int64_t fromMs = 0;
  std::int64_t toMs = 1;

  std::int64_t span() const { return toMs - fromMs; }
  bool operator==(const TimeView&) const = default;
};

inline constexpr std::int64_t kMinSpanMs = 1000;

// The whole ride from its first to its last row, at least kMinSpanMs wide.
TimeView WholeRide(std::int64_t firstMs, std::int64_t lastMs);
// factor < 1 zooms in: the time under the pointer (anchorMs) stays where it is.
TimeView ZoomAround(const TimeView& view, std::int64_t anchorMs, double factor, const TimeView& whole);
// Moves the window by deltaMs (positive: later), stopping at the ride's ends.
TimeView Pan(const TimeView& view, std::int64_t deltaMs, const TimeView& whole);

// Axis ticks: a step of 1, 2 or 5 times a power of ten giving at most
// maxTicks steps over span (span > 0).
double NiceStep(double span, int maxTicks);
// The multiples of step within [lo, hi].
std::vector<double> TicksBetween(double lo, double hi, double step);
// A step of time that reads well on a clock (100 ms ... 1 s, 2 s, 5 s, 10 s,
// 15 s, 30 s, 1 min ... 1 h, 2 h, 6 h, 12 h, 1 day).
std::int64_t NiceTimeStepMs(std::int64_t spanMs, int maxTicks);
// "1:02:03" from an hour on, "2:03" below, with tenths when the step is
// below a second ("2:03.4").
std::string TimeLabel(std::int64_t ms, std::int64_t stepMs);

}  // namespace zelmo
