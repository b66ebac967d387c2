// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/curve/operating_trail.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

TEST(OperatingTrail, KeepsTenSecondsAndTheNewestIsLargest) {
  OperatingTrail trail;
  for (int i = 0; i <= 40; ++i) trail.add(i * 333, 1000 + 100 * i, 10 + i / 4);
  const auto dots = trail.dots(40 * 333);
  // 13.3 s of frames, of which the last ten seconds remain.
  EXPECT_EQ(dots.size(), 31u);
  EXPECT_EQ(dots.back().rpm, 5000);
  EXPECT_EQ(dots.back().radius, OperatingTrail::kNewestRadius);
  EXPECT_EQ(dots.back().opacity, 1.0F);
  for (std::size_t i = 1; i < dots.size(); ++i) {
    EXPECT_LT(dots[i - 1].radius, dots[i].radius);
    EXPECT_LT(dots[i - 1].opacity, dots[i].opacity);
  }
  EXPECT_GE(dots.front().radius, OperatingTrail::kOldestRadius);
  EXPECT_GT(dots.front().opacity, 0.1F);
}

TEST(OperatingTrail, DotsAgeEvenWithoutNewFrames) {
  OperatingTrail trail;
  trail.add(0, 3000, 20);
  EXPECT_EQ(trail.dots(5000).size(), 1u);
  EXPECT_LT(trail.dots(5000).front().opacity, 1.0F);
  EXPECT_TRUE(trail.dots(10001).empty());
  trail.clear();
  EXPECT_TRUE(trail.empty());
}

}  // namespace
}  // namespace zelmo
