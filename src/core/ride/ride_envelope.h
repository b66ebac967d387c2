// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing a long recording fast: for each pixel column of the plot, the
// smallest and largest value of the rows that fall into it. A line through
// those extremes looks exactly like the full line at that width, and costs
// the same however many rows the column holds.
//
// MinMaxIndex keeps the extremes of every block of kBlock rows, so a column of
// a thousand rows is answered from about sixteen blocks and the rows at its
// two ends, not from the thousand rows.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/ride/ride_log.h"

namespace zelmo {

struct ValueRange {
  float min = 0;
  float max = 0;
};

class MinMaxIndex {
 public:
  static constexpr std::size_t kBlock = 64;

  MinMaxIndex() = default;
  // The index refers to values, which must outlive it unchanged.
  explicit MinMaxIndex(const std::vector<float>& values);

  // Extremes of values[first, last); last > first.
  ValueRange range(std::size_t first, std::size_t last) const;

 private:
  const std::vector<float>* values_ = nullptr;
  std::vector<ValueRange> blocks_;
};

struct EnvelopeColumn {
  bool empty = true;  // no row falls into this pixel column
  ValueRange range;
  // The values of the first and last row of the column, so that a line can
  // join one column to the next the way the rows go.
  float first = 0;
  float last = 0;
};

// The rows with fromMs <= time < toMs, spread over `pixels` columns of equal
// time span (toMs > fromMs, pixels > 0).
std::vector<EnvelopeColumn> Envelope(const RideLog& log, const std::vector<float>& values, const MinMaxIndex& index,
                                     std::int64_t fromMs, std::int64_t toMs, int pixels);

// The extremes of the whole column, for its value axis; {0, 1} when empty,
// and never a range of zero height.
ValueRange AxisRange(const std::vector<float>& values);

}  // namespace zelmo
