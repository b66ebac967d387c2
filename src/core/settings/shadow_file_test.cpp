// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/shadow_file.h"

#include <gtest/gtest.h>

#include "core/model/presets.h"

namespace zelmo {
namespace {

ParameterImage Counting() {
  ParameterImage area;
  for (std::size_t i = 0; i < kAreaSize; ++i) area.area[i] = static_cast<std::uint8_t>(i * 5);
  return area;
}

TEST(ShadowFile, LayoutIsFiveLinesOfTenAndALastLineOfFive) {
  ParameterImage area;
  area.area[0] = 3;
  area.area[54] = 255;
  const std::string text = WriteShadowFile(area);
  EXPECT_EQ(text.substr(0, 6), "    3 ");
  EXPECT_EQ(text.substr(60, 2), "\r\n");
  EXPECT_EQ(text.size(), 55u * 6u + 5u * 2u);
  EXPECT_EQ(text.substr(text.size() - 6), "  255 ");
  EXPECT_EQ(text.substr(5 * 62), "    0     0     0     0   255 ");
}

TEST(ShadowFile, RoundTripOfAllFiftyFiveBytes) {
  const ParameterImage written = Counting();
  ParameterImage read;
  EXPECT_EQ(ReadShadowFile(WriteShadowFile(written), read), kAreaSize);
  EXPECT_EQ(read, written);
}

TEST(ShadowFile, TwelveNumbersSetTwelveBytes) {
  const ParameterImage before = NewParameters(0);
  ParameterImage area = before;
  EXPECT_EQ(ReadShadowFile("1 2 3 4 5 6 7 8 9 10\n11 12", area), 12u);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(area.area[i], i + 1);
  for (std::size_t i = 12; i < kAreaSize; ++i) EXPECT_EQ(area.area[i], before.area[i]);
}

TEST(ShadowFile, StopsAtTheFirstWordThatIsNotAnUnsignedNumber) {
  ParameterImage area = Counting();
  EXPECT_EQ(ReadShadowFile("7 +8 9", area), 1u);
  EXPECT_EQ(area.area[1], 5);
  EXPECT_EQ(ReadShadowFile("7 8x 9", area), 1u);
  EXPECT_EQ(ReadShadowFile("-1", area), 0u);
  EXPECT_EQ(ReadShadowFile(std::string("\0", 1), area), 0u);
  EXPECT_EQ(area.area[0], 7);
}

TEST(ShadowFile, LowEightBitsOfLongNumbersAndNoMoreThanFiftyFive) {
  ParameterImage area;
  std::string text = "256 511 " + std::string(3000, '9') + " 18446744073709551617";
  for (int i = 0; i < 60; ++i) text += " 1";
  EXPECT_EQ(ReadShadowFile(text, area), kAreaSize);
  EXPECT_EQ(area.area[0], 0);
  EXPECT_EQ(area.area[1], 255);
  EXPECT_EQ(area.area[2], 255);  // 10^3000 is a multiple of 256
  EXPECT_EQ(area.area[3], 1);
}

}  // namespace
}  // namespace zelmo
