// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_envelope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace zelmo {
namespace {

RideLog Series(const std::vector<float>& values, std::int64_t step = 10) {
  RideLog log;
  for (std::size_t i = 0; i < values.size(); ++i) log.timeMs.push_back(static_cast<std::int64_t>(i) * step);
  log.columns.push_back({"engineRpm", RideQuantity::EngineRpm, values});
  return log;
}

TEST(MinMaxIndex, AgreesWithAPlainScanEverywhere) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(-100, 100);
  std::vector<float> values(1000);
  for (float& v : values) v = value(random);
  const MinMaxIndex index(values);
  std::uniform_int_distribution<std::size_t> at(0, values.size() - 1);
  for (int n = 0; n < 2000; ++n) {
    std::size_t a = at(random), b = at(random);
    if (a > b) std::swap(a, b);
    ++b;
    const auto [lo, hi] =
        std::minmax_element(values.begin() + static_cast<long>(a), values.begin() + static_cast<long>(b));
    const ValueRange r = index.range(a, b);
    ASSERT_EQ(r.min, *lo) << a << ".." << b;
    ASSERT_EQ(r.max, *hi) << a << ".." << b;
  }
}

TEST(Envelope, EveryRowLandsInExactlyOneColumn) {
  std::vector<float> values(997);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i);
  const RideLog log = Series(values);
  const MinMaxIndex index(log.columns[0].values);
  const auto columns = Envelope(log, log.columns[0].values, index, 0, 9970, 313);
  ASSERT_EQ(columns.size(), 313u);
  // With rising values each column's min is one more than the previous max.
  float next = 0;
  for (const EnvelopeColumn& c : columns) {
    if (c.empty) continue;
    EXPECT_EQ(c.range.min, next);
    EXPECT_EQ(c.first, c.range.min);
    EXPECT_EQ(c.last, c.range.max);
    next = c.range.max + 1;
  }
  EXPECT_EQ(next, 997.0f);
}

TEST(Envelope, KeepsASpikeThatAPixelHides) {
  std::vector<float> values(100000, 1000.0f);
  values[54321] = 9000.0f;  // one frame of over-rev in a long ride
  const RideLog log = Series(values);
  const MinMaxIndex index(log.columns[0].values);
  const auto columns = Envelope(log, log.columns[0].values, index, 0, 1000000, 200);
  const auto spike =
      std::count_if(columns.begin(), columns.end(), [](const EnvelopeColumn& c) { return c.range.max == 9000.0f; });
  EXPECT_EQ(spike, 1);
}

TEST(Envelope, ShowsOnlyTheRowsInTheView) {
  const RideLog log = Series({1, 2, 3, 4, 5, 6}, 100);  // 0..500 ms
  const MinMaxIndex index(log.columns[0].values);
  const auto columns = Envelope(log, log.columns[0].values, index, 150, 450, 3);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].range.min, 3);  // 200 ms
  EXPECT_EQ(columns[1].range.min, 4);  // 300 ms
  EXPECT_EQ(columns[2].range.max, 5);  // 400 ms; 500 ms is past the view
  EXPECT_TRUE(Envelope(log, log.columns[0].values, index, 1000, 2000, 4)[0].empty);
  EXPECT_TRUE(Envelope(log, log.columns[0].values, index, 100, 100, 4)[0].empty);
}

TEST(Envelope, AxisRangeNeverCollapses) {
  EXPECT_EQ(AxisRange({}).max, 1);
  const ValueRange flat = AxisRange({12, 12});
  EXPECT_GT(flat.max, flat.min);
  EXPECT_EQ(AxisRange({3, -2, 7}).min, -2);
}

}  // namespace
}  // namespace zelmo
