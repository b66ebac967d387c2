// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_visits.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace zelmo {

RideVisits CountVisits(const RideLog& log) {
  RideVisits visits;
  const RideColumn* rpm = log.find(RideQuantity::EngineRpm);
  const RideColumn* advance = log.find(RideQuantity::Advance);
  if (rpm == nullptr || advance == nullptr) return visits;
  std::unordered_map<std::int64_t, long> counts;
  for (std::size_t i = 0; i < log.rows(); ++i) {
    const float speed = rpm->values[i];
    if (!(speed >= 1.0f) || speed > 1e6f) continue;  // standing, or not a speed at all
    const float degrees = advance->values[i];
    if (!(degrees >= -1e3f && degrees <= 1e3f)) continue;
    const auto cellRpm = static_cast<std::int64_t>(speed / 100.0f) * 100;
    const auto cellAdvance = static_cast<std::int64_t>(std::lround(degrees));
    ++counts[cellRpm * 4096 + (cellAdvance + 2048)];
  }
  visits.cells.reserve(counts.size());
  for (const auto& [key, count] : counts) {
    visits.cells.push_back({static_cast<int>(key / 4096), static_cast<int>(key % 4096 - 2048), count});
    visits.most = std::max(visits.most, count);
  }
  std::sort(visits.cells.begin(), visits.cells.end(), [](const RideVisit& a, const RideVisit& b) {
    return a.rpm != b.rpm ? a.rpm < b.rpm : a.advance < b.advance;
  });
  return visits;
}

float VisitShade(long count, long most) {
  if (most <= 1 || count <= 1) return most <= 1 && count >= 1 ? 1.0f : 0.0f;
  const double shade = std::log(static_cast<double>(count)) / std::log(static_cast<double>(most));
  return static_cast<float>(std::clamp(shade, 0.0, 1.0));
}

}  // namespace zelmo
