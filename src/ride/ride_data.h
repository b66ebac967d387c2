// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording opened for viewing: the rows, an index per column for fast
// drawing, and where the engine ran. Built once when the file opens.
#include <vector>

#include "core/ride/ride_envelope.h"
#include "core/ride/ride_log.h"
#include "core/ride/ride_view.h"
#include "core/ride/ride_visits.h"

namespace zelmo {

class RideData {
 public:
  explicit RideData(RideLog log);
  RideData(const RideData&) = delete;
  RideData& operator=(const RideData&) = delete;

  const RideLog& log() const { return log_; }
  // The index of log().columns[i].
  const MinMaxIndex& index(std::size_t column) const { return indices_[column]; }
  const RideVisits& visits() const { return visits_; }
  TimeView whole() const { return whole_; }

 private:
  RideLog log_;
  std::vector<MinMaxIndex> indices_;
  RideVisits visits_;
  TimeView whole_;
};

}  // namespace zelmo
