// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/print/fit_to_page.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

TEST(FitToPage, TallPageIsFilledAcrossItsWidth) {
  // The window (769 x 784 client) on an A4 page at 600 dpi (4960 x 7016).
  const PrintSize size = FitToPage(769, 784, 4960, 7016);
  EXPECT_EQ(size.width, 4960);
  EXPECT_EQ(size.height, 5057);  // 784 * 4960 / 769 = 5056.75
}

TEST(FitToPage, WidePageIsFilledInItsHeight) {
  // Landscape A4 at 300 dpi.
  const PrintSize size = FitToPage(769, 784, 3508, 2480);
  EXPECT_EQ(size.height, 2480);
  EXPECT_EQ(size.width, 2433);  // 769 * 2480 / 784 = 2432.55
}

TEST(FitToPage, RoundsToTheNearestPixelBothWays) {
  EXPECT_EQ(FitToPage(3, 2, 100, 10).width, 15);
  EXPECT_EQ(FitToPage(2, 3, 100, 10).width, 7);    // 6.67 rounds up
  EXPECT_EQ(FitToPage(3, 1, 10, 100).height, 3);   // 3.33 rounds down
  EXPECT_EQ(FitToPage(2, 1, 5, 100).height, 3);    // exactly half rounds up
}

TEST(FitToPage, ExactAspectFillsTheWholePage) {
  // Width at full height equals W: not less, so the page width decides.
  const PrintSize size = FitToPage(100, 200, 50, 100);
  EXPECT_EQ(size.width, 50);
  EXPECT_EQ(size.height, 100);
}

TEST(FitToPage, LargePrinterResolutionsDoNotOverflow) {
  const PrintSize size = FitToPage(60000, 40000, 60000, 90000);
  EXPECT_EQ(size.width, 60000);
  EXPECT_EQ(size.height, 40000);
}

TEST(FitToPage, DegenerateSizesPrintNothing) {
  EXPECT_EQ(FitToPage(0, 10, 100, 100).width, 0);
  EXPECT_EQ(FitToPage(10, 0, 100, 100).height, 0);
  EXPECT_EQ(FitToPage(10, 10, 0, 100).width, 0);
  EXPECT_EQ(FitToPage(10, 10, 100, -1).height, 0);
}

}  // namespace
}  // namespace zelmo
