// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operating point on the curve: where the engine has been in the last
// ten seconds, from the monitor frames, as dots that fade with age, the
// newest largest. It shows whether the unit follows the curve while the
// mechanic revs the engine.
#include <cstdint>
#include <deque>
#include <vector>

namespace zelmo {

struct TrailDot {
  int rpm = 0;
  int advance = 0;    // [°]
  float radius = 0;   // pixels
  float opacity = 0;  // 0..1
};

class OperatingTrail {
 public:
  static constexpr std::int64_t kLengthMs = 10000;
  static constexpr float kNewestRadius = 4.0F;
  static constexpr float kOldestRadius = 1.5F;

  // One accepted monitor frame at nowMs (a steady clock); older points drop out.
  void add(std::int64_t nowMs, int rpm, int advance);
  // Frames stopped (no connection): the trail empties at once rather than
  // showing an engine that may no longer run.
  void clear() { points_.clear(); }
  bool empty() const { return points_.empty(); }

  // The dots to draw at nowMs, oldest first so the newest lie on top.
  std::vector<TrailDot> dots(std::int64_t nowMs) const;

 private:
  struct Point {
    std::int64_t atMs;
    int rpm;
    int advance;
  };
  std::deque<Point> points_;
};

}  // namespace zelmo
