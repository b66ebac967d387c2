// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/curve/line_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace zelmo {
namespace {

using Pixel = std::pair<int, int>;

std::vector<Pixel> Pixels(int x1, int y1, int x2, int y2) {
  std::vector<Pixel> pixels;
  RasteriseLine(x1, y1, x2, y2, [&](const PixelRun& run) {
    for (int i = 0; i < run.length; ++i) {
      pixels.emplace_back(run.horizontal ? run.x + i : run.x, run.horizontal ? run.y : run.y + i);
    }
  });
  return pixels;
}

TEST(LineRaster, StraightLinesLeaveOutTheEndInEitherDirection) {
  EXPECT_EQ(Pixels(1, 1, 6, 1), (std::vector<Pixel>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
  EXPECT_EQ(Pixels(6, 1, 1, 1), (std::vector<Pixel>{{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
  EXPECT_EQ(Pixels(3, 2, 3, 5), (std::vector<Pixel>{{3, 2}, {3, 3}, {3, 4}}));
  EXPECT_EQ(Pixels(3, 5, 3, 2), (std::vector<Pixel>{{3, 3}, {3, 4}, {3, 5}}));
  EXPECT_TRUE(Pixels(4, 4, 4, 4).empty());
}

TEST(LineRaster, StraightLinesAreOneRun) {
  int runs = 0;
  RasteriseLine(24, 107, 24, 4, [&](const PixelRun& run) {
    ++runs;
    EXPECT_FALSE(run.horizontal);
    EXPECT_EQ(run.y, 5);
    EXPECT_EQ(run.length, 103);
  });
  EXPECT_EQ(runs, 1);
}

TEST(LineRaster, DiagonalsAreConnectedFromStartToBesideTheEnd) {
  const int ends[][4] = {{0, 0, 3, 3}, {34, 61, 44, 57}, {44, 57, 34, 61}, {10, 10, 7, 30}, {5, 20, 40, 2}};
  for (const auto& e : ends) {
    const std::vector<Pixel> pixels = Pixels(e[0], e[1], e[2], e[3]);
    ASSERT_EQ(static_cast<int>(pixels.size()), std::max(std::abs(e[2] - e[0]), std::abs(e[3] - e[1])));
    std::set<Pixel> set(pixels.begin(), pixels.end());
    EXPECT_EQ(set.size(), pixels.size());
    EXPECT_TRUE(set.count({e[0], e[1]}));
    EXPECT_FALSE(set.count({e[2], e[3]}));
    // Every pixel touches the next one along the line; the last one touches the end.
    std::vector<Pixel> path = pixels;
    std::sort(path.begin(), path.end(), [&](const Pixel& a, const Pixel& b) {
      const auto da = std::abs(a.first - e[0]) + std::abs(a.second - e[1]);
      const auto db = std::abs(b.first - e[0]) + std::abs(b.second - e[1]);
      return da < db;
    });
    path.emplace_back(e[2], e[3]);
    for (std::size_t i = 1; i < path.size(); ++i) {
      EXPECT_LE(std::abs(path[i].first - path[i - 1].first), 1);
      EXPECT_LE(std::abs(path[i].second - path[i - 1].second), 1);
    }
  }
}

}  // namespace
}  // namespace zelmo
