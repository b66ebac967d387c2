// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/curve/operating_trail.h"

#include <algorithm>

namespace zelmo {

void OperatingTrail::add(std::int64_t nowMs, int rpm, int advance) {
  points_.push_back({nowMs, rpm, advance});
  while (!points_.empty() && nowMs - points_.front().atMs > kLengthMs) points_.pop_front();
}

std::vector<TrailDot> OperatingTrail::dots(std::int64_t nowMs) const {
  std::vector<TrailDot> dots;
  dots.reserve(points_.size());
  for (const Point& p : points_) {
    const std::int64_t age = nowMs - p.atMs;
    if (age > kLengthMs) continue;
    // 1 for the newest, falling to 0 at the trail's end.
    const float fresh = 1.0F - static_cast<float>(std::max<std::int64_t>(age, 0)) / static_cast<float>(kLengthMs);
    const bool newest = &p == &points_.back();
    dots.push_back({p.rpm, p.advance,
                    newest ? kNewestRadius : kOldestRadius + (kNewestRadius - 1.0F - kOldestRadius) * fresh,
                    0.15F + 0.85F * fresh});
  }
  return dots;
}

}  // namespace zelmo
