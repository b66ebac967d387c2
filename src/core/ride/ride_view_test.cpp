// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_view.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

const TimeView kWhole{0, 100000};

TEST(TimeView, ZoomKeepsTheTimeUnderThePointer) {
  const TimeView in = ZoomAround(kWhole, 25000, 0.5, kWhole);
  EXPECT_EQ(in.span(), 50000);
  // 25 s sat a quarter of the way across and still does.
  EXPECT_EQ(in.fromMs + in.span() / 4, 25000);
  const TimeView out = ZoomAround(in, 25000, 2.0, kWhole);
  EXPECT_EQ(out, kWhole);
}

TEST(TimeView, StaysInsideTheRideAndAboveTheSmallestSpan) {
  TimeView v = kWhole;
  for (int i = 0; i < 100; ++i) v = ZoomAround(v, 99999, 0.5, kWhole);
  EXPECT_EQ(v.span(), kMinSpanMs);
  EXPECT_EQ(v.toMs, 100000);
  EXPECT_EQ(ZoomAround(kWhole, 0, 8.0, kWhole), kWhole);
  const TimeView narrow{40000, 50000};
  EXPECT_EQ(Pan(narrow, -1000000, kWhole), (TimeView{0, 10000}));
  EXPECT_EQ(Pan(narrow, 1000000, kWhole), (TimeView{90000, 100000}));
  EXPECT_EQ(Pan(narrow, 500, kWhole), (TimeView{40500, 50500}));
  EXPECT_EQ(ZoomAround(narrow, 45000, 0.0, kWhole), narrow);
}

TEST(TimeView, AShortRideStillHasASpan) {
  EXPECT_EQ(WholeRide(5000, 5000), (TimeView{5000, 6000}));
  EXPECT_EQ(WholeRide(0, 3600000).span(), 3600000);
}

TEST(Axes, NiceStepsAndTicks) {
  EXPECT_DOUBLE_EQ(NiceStep(10000, 5), 2000);
  EXPECT_DOUBLE_EQ(NiceStep(13, 5), 5);
  EXPECT_DOUBLE_EQ(NiceStep(1, 4), 0.5);
  EXPECT_DOUBLE_EQ(NiceStep(100, 10), 10);
  const auto ticks = TicksBetween(1150, 9900, 2000);
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_DOUBLE_EQ(ticks.front(), 2000);
  EXPECT_DOUBLE_EQ(ticks.back(), 8000);
  EXPECT_TRUE(TicksBetween(0, 1, 0).empty());
}

TEST(Axes, TimeStepsAndLabelsReadLikeAClock) {
  EXPECT_EQ(NiceTimeStepMs(60000, 6), 10000);
  EXPECT_EQ(NiceTimeStepMs(4 * 86400000LL, 8), 43200000);
  EXPECT_EQ(NiceTimeStepMs(800, 8), 100);
  EXPECT_EQ(TimeLabel(123000, 10000), "2:03");
  EXPECT_EQ(TimeLabel(123400, 200), "2:03.4");
  EXPECT_EQ(TimeLabel(3723000, 60000), "1:02:03");
  EXPECT_EQ(TimeLabel(0, 1000), "0:00");
}

}  // namespace
}  // namespace zelmo
