// SPDX-License-Identifier: GPL-3.0-or-later
#include "ride/ride_data.h"

namespace zelmo {

RideData::RideData(RideLog log) : log_(std::move(log)), visits_(CountVisits(log_)) {
  // The indices point into the columns, which stay where they are from now on.
  indices_.reserve(log_.columns.size());
  for (const RideColumn& c : log_.columns) indices_.emplace_back(c.values);
  whole_ = log_.rows() == 0 ? TimeView{} : WholeRide(log_.timeMs.front(), log_.timeMs.back());
}

}  // namespace zelmo
