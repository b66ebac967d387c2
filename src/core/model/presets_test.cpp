// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/presets.h"

#include <gtest/gtest.h>

#include "core/model/bike_code.h"

namespace zelmo {
namespace {

TEST(BikeCode, ListAndCodesMapBothWays) {
  const int codes[] = {0, 1, 8, 2, 3, 4, 7, 9, 6, 5};
  for (int i = 0; i < kBikeListSize; ++i) {
    EXPECT_EQ(BikeIndexToCode(i), codes[i]);
    EXPECT_EQ(BikeCodeToIndex(static_cast<std::uint8_t>(codes[i])), i);
  }
  EXPECT_FALSE(BikeIndexToCode(-1));
  EXPECT_FALSE(BikeIndexToCode(10));
  EXPECT_FALSE(BikeCodeToIndex(10));
  EXPECT_EQ(BikeListText(0), "RKX 600                -98");
  EXPECT_EQ(BikeListText(2), "RKX 900            ");
  EXPECT_EQ(BikeListText(3), "VZQ 1000 ");
}

TEST(ApplyBikePresets, DefaultsAndRowOfCodeZero) {
  ParameterImage image = NewParameters(0);
  EXPECT_EQ(image.baseAdvance(), 5);
  EXPECT_EQ(image.tacho2x(), 1);
  EXPECT_EQ(image.speedCorrection(), 100);
  EXPECT_EQ(image.blockEnable(), 1);
  EXPECT_EQ(image.top14(), 3);
  EXPECT_EQ(image.top23(), 9);
  EXPECT_EQ(image.limiter(), 137);
  EXPECT_EQ(image.longExcitation(), 1);
  EXPECT_EQ(image.rpmPoint(0), 15);
  EXPECT_EQ(image.advance(9), 33);
}

TEST(ApplyBikePresets, QfrKeepsTopPositions) {
  ParameterImage image = NewParameters(0);
  image.bikeCode() = 6;
  bool chosen = true;
  ApplyBikePresets(image, chosen);
  EXPECT_EQ(image.top14(), 3);
  EXPECT_EQ(image.top23(), 9);
  EXPECT_EQ(image.limiter(), 120);
  EXPECT_FALSE(chosen);
}

TEST(ApplyBikePresets, ChoosingSpecialKeepsCurveButNewLoadsIt) {
  ParameterImage image = NewParameters(7);
  EXPECT_EQ(image.inverseInput(), 1);
  image.advance(3) = 50;
  image.baseAdvance() = 12;
  image.bikeCode() = kSpecialBikeCode;
  bool chosen = true;
  ApplyBikePresets(image, chosen);
  EXPECT_EQ(image.advance(3), 50);
  EXPECT_EQ(image.baseAdvance(), 12);
  EXPECT_EQ(image.inverseInput(), 0);
  EXPECT_EQ(image.top14(), 7);
  EXPECT_EQ(image.limiter(), 90);
  chosen = false;  // New
  ApplyBikePresets(image, chosen);
  EXPECT_EQ(image.advance(3), 25);
  EXPECT_EQ(image.baseAdvance(), 5);
  EXPECT_EQ(image.top14(), 7);
}

TEST(ApplyBikePresets, CodeAboveNineLoadsDefaultsAndKeepsTheRest) {
  ParameterImage image = NewParameters(4);
  image.bikeCode() = 12;
  image.inverseInput() = 1;
  bool chosen = false;
  ApplyBikePresets(image, chosen);
  EXPECT_EQ(image.inverseInput(), 0);
  EXPECT_EQ(image.top14(), 4);
  EXPECT_EQ(image.limiter(), 100);
  EXPECT_EQ(image.advance(0), 5);
}

}  // namespace
}  // namespace zelmo
