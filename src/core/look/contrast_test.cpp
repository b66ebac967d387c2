// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/look/contrast.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kDarkWindow{53, 53, 53};
constexpr Rgb kLightWindow{239, 239, 239};

TEST(ContrastRatio, MatchesTheGuidelinesFigures) {
  EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kWhite, kBlack), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kRed, kRed), 1.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kRed, kWhite), 4.0, 0.01);
  EXPECT_NEAR(ContrastRatio(Rgb{128, 128, 128}, kWhite), 3.95, 0.01);
}

TEST(TextColourOn, PicksTheTextThatReadsOnEveryStateColour) {
  for (Rgb fill : {kRed, Rgb{0, 255, 0}, Rgb{0, 255, 255}, Rgb{255, 0, 255}, Rgb{255, 255, 0}}) {
    EXPECT_EQ(TextColourOn(fill), kBlack);
    EXPECT_GE(ContrastRatio(TextColourOn(fill), fill), kReadableContrast);
  }
  EXPECT_EQ(TextColourOn(kDarkWindow), kWhite);
  EXPECT_EQ(TextColourOn(Rgb{0, 0, 255}), kWhite);
}

TEST(ReadableTint, KeepsAReadableColourAndMendsOneThatIsNot) {
  EXPECT_EQ(ReadableTint(kBlack, kWhite), kBlack);
  // Pure red is too dark on a dark window and too light on a light one.
  for (Rgb background : {kDarkWindow, kLightWindow}) {
    const Rgb tint = ReadableTint(kRed, background);
    EXPECT_GE(ContrastRatio(tint, background), kReadableContrast);
    EXPECT_GT(tint.r, tint.g);  // still a red
    EXPECT_EQ(tint.g, tint.b);
  }
  EXPECT_GT(ReadableTint(kRed, kDarkWindow).g, 0);
  EXPECT_LT(ReadableTint(kRed, kLightWindow).r, 255);
}

}  // namespace
}  // namespace zelmo
