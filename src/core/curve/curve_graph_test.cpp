// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/curve/curve_graph.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/curve/curve_test_support.h"

namespace zelmo {
namespace {

using curve_test::ExampleImage;
using curve_test::kHeight;
using curve_test::kWidth;

CurveGraph Rescaled(const ParameterImage& image) {
  CurveGraph graph;
  graph.rescale(kWidth, kHeight, image);
  return graph;
}

TEST(CurveGeometry, StartsUnlaidOutWithARescaleRequest) {
  const CurveGraph graph;
  EXPECT_EQ(graph.scaleX, 1.0F);
  EXPECT_EQ(graph.scaleY, 1.0F);
  EXPECT_EQ(graph.marginLeft, 25);
  EXPECT_EQ(graph.marginRight, 10);
  EXPECT_EQ(graph.marginTop, 5);
  EXPECT_EQ(graph.marginBottom, 15);
  EXPECT_EQ(graph.grabbed, NoPoint);
  EXPECT_EQ(graph.hovered, NoPoint);
  EXPECT_EQ(graph.graphRequest, GraphRescale);
}

TEST(CurveGeometry, WorkedExample) {
  const CurveGraph graph = Rescaled(ExampleImage());
  EXPECT_EQ(graph.rpmMax, 17500);
  EXPECT_EQ(graph.degMax, 45);
  EXPECT_EQ(graph.originX, 25);
  EXPECT_EQ(graph.originY, 107);
  EXPECT_EQ(graph.plotWidth, 167);
  EXPECT_EQ(graph.plotHeight, 102);
  EXPECT_EQ(graph.scaleX, static_cast<float>(167.0 / 17500.0));
  EXPECT_EQ(graph.scaleY, static_cast<float>(102.0 / 45.0));

  std::vector<int> gridXs;
  for (int i = 1; i <= graph.rpmMax / 1000; ++i) gridXs.push_back(graph.gridX(i));
  EXPECT_EQ(gridXs, (std::vector<int>{35, 44, 54, 63, 73, 82, 92, 101, 111, 120, 130, 140, 149, 159, 168, 178, 187}));
  std::vector<int> gridYs;
  for (int j = 1; j <= graph.degMax / 5; ++j) gridYs.push_back(graph.gridY(j));
  EXPECT_EQ(gridYs, (std::vector<int>{96, 84, 73, 62, 50, 39, 28, 16, 5}));

  // The point mapping truncates where the grid rounds: 1000 rpm is x 34, its grid line x 35.
  EXPECT_EQ(graph.x(1000), 34);
  EXPECT_EQ(graph.y(20), 61);
  EXPECT_EQ(graph.x(0), 25);
  EXPECT_EQ(graph.y(0), 107);
}

struct RangeCase {
  int lastRpm;   // hundreds
  int limiter;   // hundreds
  int highest;   // degrees
  int rpmMax;
  int degMax;
};

TEST(CurveGeometry, AxisRanges) {
  const RangeCase cases[] = {
      {90, 90, 20, 10000, 25},   // both speeds at 9000
      {100, 150, 33, 17500, 35}, {100, 150, 34, 17500, 40}, {100, 150, 38, 17500, 40},
      {100, 150, 60, 17500, 65}, {16, 16, 3, 2500, 5},     // smallest ranges
      {17, 10, 4, 5000, 10},     // m + 800 reaching 2500 takes the next multiple
      {100, 220, 0, 25000, 5},   // the limiter sets the range when it is higher
  };
  for (const RangeCase& c : cases) {
    ParameterImage image;
    image.rpmPoint(9) = static_cast<std::uint8_t>(c.lastRpm);
    image.limiter() = static_cast<std::uint8_t>(c.limiter);
    image.advance(4) = static_cast<std::uint8_t>(c.highest);
    const CurveGraph graph = Rescaled(image);
    EXPECT_EQ(graph.rpmMax, c.rpmMax) << c.lastRpm << "/" << c.limiter;
    EXPECT_EQ(graph.degMax, c.degMax) << c.highest;
  }
}

TEST(CurveGeometry, BaseAdvanceCountsForTheAdvanceRange) {
  ParameterImage image = ExampleImage();
  image.baseAdvance() = 50;
  EXPECT_EQ(Rescaled(image).degMax, 55);
}

TEST(CurveGeometry, OnlyTheLastBreakpointSetsTheSpeedRange) {
  ParameterImage image = ExampleImage();
  image.rpmPoint(5) = 250;  // unordered: not searched for
  EXPECT_EQ(Rescaled(image).rpmMax, 17500);
}

TEST(CurveHitTest, ReachIsAFiveByFiveBoxAroundThePoint) {
  const ParameterImage image = ExampleImage();
  const CurveGraph graph = Rescaled(image);
  const int px = graph.x(1000);
  const int py = graph.y(20);
  EXPECT_EQ(graph.hitTest(px + 5, py + 5, image), 0);  // distance 7
  EXPECT_EQ(graph.hitTest(px - 5, py - 5, image), 0);
  EXPECT_EQ(graph.hitTest(px - 6, py, image), NoPoint);
  EXPECT_EQ(graph.hitTest(px, py + 6, image), NoPoint);
}

TEST(CurveHitTest, NearestWinsAndTiesGoToTheFirst) {
  ParameterImage image = ExampleImage();
  image.rpmPoint(0) = 2;  // 200 rpm: one pixel right of the base point
  image.advance(0) = image.baseAdvance();
  image.advance(1) = 20;
  CurveGraph graph = Rescaled(image);
  const int by = graph.y(image.baseAdvance());
  ASSERT_EQ(graph.x(0), 25);
  ASSERT_EQ(graph.x(200), 26);
  EXPECT_EQ(graph.hitTest(26, by + 3, image), BasePoint);  // both distances truncate to 3
  EXPECT_EQ(graph.hitTest(27, by, image), 0);              // one pixel nearer to breakpoint 1

  image.rpmPoint(1) = image.rpmPoint(2);  // two breakpoints on one pixel
  image.advance(1) = image.advance(2);
  graph = Rescaled(image);
  EXPECT_EQ(graph.hitTest(graph.x(100 * image.rpmPoint(2)), graph.y(image.advance(2)) + 1, image), 1);
}

TEST(CurveHitTest, LimiterLineAtAnyHeightOnlyWithoutAPointInReach) {
  ParameterImage image = ExampleImage();
  const CurveGraph graph = Rescaled(image);
  const int xL = graph.x(15000);
  EXPECT_EQ(graph.hitTest(xL + 5, 120, image), LimiterPoint);  // in the label margin
  EXPECT_EQ(graph.hitTest(xL - 5, 0, image), LimiterPoint);
  EXPECT_EQ(graph.hitTest(xL + 6, 50, image), NoPoint);

  image.rpmPoint(9) = 150;  // breakpoint 10 on the limiter line
  const CurveGraph moved = Rescaled(image);
  const int x10 = moved.x(15000);
  EXPECT_EQ(moved.hitTest(x10, moved.y(40), image), 9);
  EXPECT_EQ(moved.hitTest(x10, moved.y(40) + 6, image), LimiterPoint);
}

TEST(CurveTick, RedrawsOnlyForShiftOrSpeedChanges) {
  CurveGraph graph;
  graph.graphRequest = 0;
  EXPECT_FALSE(graph.tick(false, 0));
  EXPECT_TRUE(graph.tick(true, 0));
  EXPECT_EQ(graph.allMode, 1);
  graph.graphRequest = 0;
  EXPECT_FALSE(graph.tick(true, 0));
  EXPECT_TRUE(graph.tick(true, 4500));
  EXPECT_EQ(graph.lastLiveRpm, 4500);
  graph.graphRequest = 0;
  EXPECT_FALSE(graph.tick(true, 4500));
  EXPECT_TRUE(graph.tick(false, 4500));
  EXPECT_EQ(graph.allMode, 0);
}

TEST(CurveTick, ShiftMattersOnlyAroundABreakpoint) {
  CurveGraph graph;
  EXPECT_FALSE(graph.shiftMatters());
  for (const int code : {BasePoint, LimiterPoint}) {
    graph.hovered = code;
    EXPECT_FALSE(graph.shiftMatters()) << code;
  }
  graph.hovered = 0;
  EXPECT_TRUE(graph.shiftMatters());
  graph.hovered = NoPoint;
  graph.grabbed = 9;
  EXPECT_TRUE(graph.shiftMatters());
  graph.grabbed = BasePoint;
  EXPECT_FALSE(graph.shiftMatters());
}

TEST(CurveTick, RequestsPlacedBetweenTicksCauseOneDrawing) {
  CurveGraph graph;
  graph.request(GraphRedraw);
  graph.request(GraphRescale);
  ASSERT_TRUE(graph.tick(false, 0));
  CurveDrawing drawing;
  graph.draw(kWidth, kHeight, ExampleImage(), 0, Rgb{240, 240, 240}, Rgb{}, drawing);
  EXPECT_EQ(graph.rpmMax, 17500);  // the rescale request was carried out
  EXPECT_EQ(graph.graphRequest, 0);
  EXPECT_FALSE(graph.tick(false, 0));
}

TEST(CurveTick, PlainRedrawKeepsTheCachedGeometry) {
  CurveGraph graph;
  graph.rescale(kWidth, kHeight, ExampleImage());
  graph.graphRequest = GraphRedraw;
  ParameterImage bigger = ExampleImage();
  bigger.rpmPoint(9) = 200;
  CurveDrawing drawing;
  graph.draw(kWidth, kHeight, bigger, 0, Rgb{}, Rgb{}, drawing);
  EXPECT_EQ(graph.rpmMax, 17500);
}

}  // namespace
}  // namespace zelmo
