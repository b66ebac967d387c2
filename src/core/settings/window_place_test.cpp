// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/window_place.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

// A 1366 x 768 laptop with a 28-pixel panel at the top.
constexpr ScreenBox kLaptop{0, 28, 1366, 740};
constexpr WindowLimits kDecorated{{4, 24, 4, 4}, 460, 200};

void ExpectWindow(const WindowRequest& got, const WindowRequest& want) {
  EXPECT_EQ(got.left, want.left);
  EXPECT_EQ(got.top, want.top);
  EXPECT_EQ(got.width, want.width);
  EXPECT_EQ(got.height, want.height);
}

TEST(PlaceWindow, AWindowThatFitsStaysWhereItWas) {
  ExpectWindow(PlaceWindow({100, 50, 769, 690}, kDecorated, kLaptop), {100, 50, 769, 690});
}

TEST(PlaceWindow, TitleBarAboveTheAreaComesDownAndTheHeightShrinks) {
  // Centred on the whole screen as before, the title bar stood above it.
  const WindowRequest placed = PlaceWindow({298, -17, 769, 803}, kDecorated, kLaptop);
  ExpectWindow(placed, {298, 28, 769, 740 - 28});
  EXPECT_EQ(placed.top + placed.height + 24 + 4, 28 + 740);  // the bottom edge on the area's
}

TEST(PlaceWindow, StoredPositionsPastEveryEdgeAreBroughtIn) {
  ExpectWindow(PlaceWindow({-9000, 5000, 769, 600}, kDecorated, kLaptop), {0, 28 + 740 - 628, 769, 600});
  ExpectWindow(PlaceWindow({1300, 700, 769, 600}, kDecorated, kLaptop), {1366 - 777, 140, 769, 600});
  // A second screen to the left: negative coordinates are ordinary there.
  const ScreenBox left{-1920, 0, 1920, 1080};
  ExpectWindow(PlaceWindow({-1000, 100, 769, 600}, kDecorated, left), {-1000, 100, 769, 600});
}

TEST(PlaceWindow, AStoredSizeLargerThanTheAreaShrinksButNotBelowTheMinimum) {
  ExpectWindow(PlaceWindow({0, 28, 3000, 2000}, kDecorated, kLaptop), {0, 28, 1358, 712});
  ExpectWindow(PlaceWindow({10, 40, 20, 10}, kDecorated, kLaptop), {10, 40, 460, 200});
  // Scale 2 on 1280 x 720 leaves 640 x 360 units: the minimum wins and the
  // title bar keeps the area's top left corner.
  const ScreenBox tiny{0, 0, 640, 360};
  const WindowLimits wide{{4, 24, 4, 4}, 700, 400};
  ExpectWindow(PlaceWindow({50, 50, 769, 690}, wide, tiny), {0, 0, 700, 400});
}

TEST(CentreWindow, CentresTheFrameInTheAvailableArea) {
  ExpectWindow(CentreWindow(769, 690, kDecorated, {0, 0, 1920, 1040}), {(1920 - 777) / 2, (1040 - 718) / 2, 769, 690});
  // Too high for the area: as high as it can be, from the area's top.
  ExpectWindow(CentreWindow(769, 803, kDecorated, kLaptop), {(1366 - 777) / 2, 28, 769, 712});
  ExpectWindow(CentreWindow(769, 690, kDecorated, kLaptop), {(1366 - 777) / 2, 28 + (740 - 718) / 2, 769, 690});
  // Without a frame (no window manager) the inside is the whole window.
  ExpectWindow(CentreWindow(769, 690, {{}, 460, 200}, {0, 0, 800, 600}), {15, 0, 769, 600});
}

}  // namespace
}  // namespace zelmo
