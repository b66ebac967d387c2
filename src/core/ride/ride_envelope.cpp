// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_envelope.h"

#include <algorithm>

namespace zelmo {

MinMaxIndex::MinMaxIndex(const std::vector<float>& values) : values_(&values) {
  blocks_.reserve(values.size() / kBlock + 1);
  for (std::size_t start = 0; start < values.size(); start += kBlock) {
    const std::size_t end = std::min(values.size(), start + kBlock);
    const auto [lo, hi] = std::minmax_element(values.begin() + static_cast<std::ptrdiff_t>(start),
                                              values.begin() + static_cast<std::ptrdiff_t>(end));
    blocks_.push_back({*lo, *hi});
  }
}

ValueRange MinMaxIndex::range(std::size_t first, std::size_t last) const {
  const std::vector<float>& v = *values_;
  ValueRange r{v[first], v[first]};
  auto take = [&r](float lo, float hi) {
    r.min = std::min(r.min, lo);
    r.max = std::max(r.max, hi);
  };
  std::size_t i = first;
  for (; i < last && i % kBlock != 0; ++i) take(v[i], v[i]);
  for (; i + kBlock <= last; i += kBlock) take(blocks_[i / kBlock].min, blocks_[i / kBlock].max);
  for (; i < last; ++i) take(v[i], v[i]);
  return r;
}

std::vector<EnvelopeColumn> Envelope(const RideLog& log, const std::vector<float>& values, const MinMaxIndex& index,
                                     std::int64_t fromMs, std::int64_t toMs, int pixels) {
  std::vector<EnvelopeColumn> columns(static_cast<std::size_t>(std::max(pixels, 0)));
  if (pixels <= 0 || toMs <= fromMs) return columns;
  const auto& t = log.timeMs;
  const double span = static_cast<double>(toMs - fromMs);
  std::size_t row = static_cast<std::size_t>(std::lower_bound(t.begin(), t.end(), fromMs) - t.begin());
  for (int px = 0; px < pixels && row < t.size(); ++px) {
    // The column's end in time, computed from its index so that rounding
    // never drops or doubles a row between neighbours.
    const auto columnEnd = fromMs + static_cast<std::int64_t>(span * (px + 1) / pixels);
    const std::int64_t end = px + 1 == pixels ? toMs : columnEnd;
    const std::size_t last = static_cast<std::size_t>(
        std::lower_bound(t.begin() + static_cast<std::ptrdiff_t>(row), t.end(), end) - t.begin());
    if (last > row) {
      EnvelopeColumn& c = columns[static_cast<std::size_t>(px)];
      c.empty = false;
      c.range = index.range(row, last);
      c.first = values[row];
      c.last = values[last - 1];
      row = last;
    }
  }
  return columns;
}

ValueRange AxisRange(const std::vector<float>& values) {
  if (values.empty()) return {0, 1};
  const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
  ValueRange r{*lo, *hi};
  if (r.max <= r.min) r.max = r.min + 1;
  return r;
}

}  // namespace zelmo
