// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_visits.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

RideLog Ride(const std::vector<std::pair<float, float>>& points) {
  RideLog log;
  RideColumn rpm{"engineRpm", RideQuantity::EngineRpm, {}};
  RideColumn advance{"currentAdvance", RideQuantity::Advance, {}};
  for (std::size_t i = 0; i < points.size(); ++i) {
    log.timeMs.push_back(static_cast<std::int64_t>(i));
    rpm.values.push_back(points[i].first);
    advance.values.push_back(points[i].second);
  }
  log.columns = {rpm, advance};
  return log;
}

TEST(RideVisits, CountsCellsOfTheUnitsOwnSteps) {
  const RideVisits visits = CountVisits(Ride({{0, 10}, {3050, 20}, {3099, 20}, {3100, 20}, {3050, 21}, {0, 10}}));
  ASSERT_EQ(visits.cells.size(), 3u);  // standing engine left out
  EXPECT_EQ(visits.cells[0].rpm, 3000);
  EXPECT_EQ(visits.cells[0].advance, 20);
  EXPECT_EQ(visits.cells[0].count, 2);
  EXPECT_EQ(visits.cells[1].advance, 21);
  EXPECT_EQ(visits.cells[2].rpm, 3100);
  EXPECT_EQ(visits.most, 2);
}

TEST(RideVisits, NeedsSpeedAndAdvance) {
  RideLog log = Ride({{3000, 20}});
  log.columns.pop_back();
  EXPECT_TRUE(CountVisits(log).cells.empty());
}

TEST(RideVisits, ShadeGrowsWithTheCountUpToOne) {
  EXPECT_EQ(VisitShade(1, 1), 1.0f);
  EXPECT_EQ(VisitShade(1, 1000), 0.0f);
  EXPECT_EQ(VisitShade(1000, 1000), 1.0f);
  EXPECT_GT(VisitShade(100, 1000), VisitShade(10, 1000));
  EXPECT_NEAR(VisitShade(31, 1000), 0.5f, 0.01f);
}

}  // namespace
}  // namespace zelmo
