// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the engine ran: the recorded (speed, advance) pairs counted per
// cell, for a scatter over the advance curve coloured by how often the engine
// was there. Cells are 100 rpm wide (the unit's own step for speeds) and one
// degree high (its step for advance), so a cell is a point the curve can hold.
#include <cstdint>
#include <vector>

#include "core/ride/ride_log.h"

namespace zelmo {

struct RideVisit {
  int rpm = 0;      // the cell's lower edge [rpm], a multiple of 100
  int advance = 0;  // [°]
  long count = 0;
};

struct RideVisits {
  std::vector<RideVisit> cells;  // by rpm, then advance; only cells visited
  long most = 0;                 // the largest count, for the colour scale
};

// Rows with the engine standing (0 rpm) are left out: they would pile up in
// one cell and say nothing about the curve. Empty without speed or advance.
RideVisits CountVisits(const RideLog& log);

// 0 for the rarest visit up to 1 for the most frequent, on a logarithmic
// scale, so a cell passed once still shows beside one held for an hour.
float VisitShade(long count, long most);

}  // namespace zelmo
