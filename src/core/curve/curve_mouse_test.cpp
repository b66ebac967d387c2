// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "core/curve/curve_graph.h"
#include "core/curve/curve_test_support.h"

namespace zelmo {
namespace {

using curve_test::FakeHost;
using curve_test::LaidOut;

class CurveMouse : public ::testing::Test {
 protected:
  void move(int X, int Y) { graph.mouse(MouseKind::Move, X, Y, host, host); }
  void press(int X, int Y) { graph.mouse(MouseKind::Down, X, Y, host, host); }
  void release(int X, int Y) { graph.mouse(MouseKind::Up, X, Y, host, host); }
  void layOut() { graph = LaidOut(host); }

  FakeHost host;
  CurveGraph graph = LaidOut(host);
};

// Pixels of the example image at 202 x 122: breakpoint 1 (34, 61), breakpoint 3
// (53, 52), breakpoint 5 (72, 43), breakpoint 10 (120, 16), base (25, 84),
// limiter line x 168.

TEST_F(CurveMouse, HoverHighlightsAndMovesTheFocusOnce) {
  move(34, 61);
  EXPECT_EQ(graph.hovered, 0);
  EXPECT_EQ(graph.graphRequest, GraphRedraw);
  graph.graphRequest = 0;
  move(35, 62);
  EXPECT_EQ(graph.hovered, 0);
  EXPECT_EQ(graph.graphRequest, 0);
  move(25, 84);
  EXPECT_EQ(graph.hovered, BasePoint);
  move(170, 100);
  EXPECT_EQ(graph.hovered, LimiterPoint);
  graph.graphRequest = 0;
  move(100, 100);
  EXPECT_EQ(graph.hovered, NoPoint);
  EXPECT_EQ(graph.graphRequest, GraphRedraw);
  EXPECT_EQ(host.focused, (std::vector<int>{0, BasePoint, LimiterPoint}));
}

TEST_F(CurveMouse, LeavingOrMovingOutsideClearsOnlyTheHover) {
  move(34, 61);
  graph.graphRequest = 0;
  move(-1, 61);
  EXPECT_EQ(graph.hovered, NoPoint);
  EXPECT_EQ(graph.graphRequest, GraphRedraw);

  move(34, 61);
  graph.graphRequest = 0;
  graph.mouseLeave();
  EXPECT_EQ(graph.hovered, NoPoint);
  EXPECT_EQ(graph.graphRequest, GraphRedraw);
  graph.graphRequest = 0;
  graph.mouseLeave();
  EXPECT_EQ(graph.graphRequest, 0);
}

TEST_F(CurveMouse, AGraphWithoutSpeedScaleIgnoresTheMouse) {
  graph.rescale(35, 122, host.theImage);  // plot width 0
  ASSERT_EQ(graph.scaleX, 0.0F);
  press(25, 84);
  EXPECT_EQ(graph.grabbed, NoPoint);
  EXPECT_TRUE(host.focused.empty());
}

TEST_F(CurveMouse, DragKeepsTheGrabOffsetAndPushesOnceOnRelease) {
  press(74, 44);  // 2 right and 1 below breakpoint 5
  EXPECT_EQ(graph.grabbed, 4);
  EXPECT_EQ(graph.grabOffsetX, 2);
  EXPECT_EQ(graph.grabOffsetY, 1);
  EXPECT_EQ(graph.hovered, NoPoint);
  EXPECT_EQ(graph.graphRequest, GraphRedraw);

  move(79, 21);  // asks for the point at (77, 20)
  EXPECT_EQ(host.theImage.rpmPoint(4), 54);
  EXPECT_EQ(host.theImage.advance(4), 38);
  EXPECT_EQ(host.theImage.advance(3), 26);
  EXPECT_EQ(host.refreshes, 1);
  EXPECT_EQ(host.memory.lastMovedPoint, 4);  // the pass ran for the dragged point
  EXPECT_EQ(host.memory.movedPoint, kNoMovedPoint);
  EXPECT_TRUE(host.pointerMoves.empty());  // axes unchanged
  EXPECT_EQ(host.pushes, 0);

  release(79, 21);
  EXPECT_EQ(graph.grabbed, NoPoint);
  EXPECT_EQ(host.pushes, 1);
  EXPECT_EQ(graph.hovered, 4);  // highlighted again at once
  release(79, 21);
  EXPECT_EQ(host.pushes, 1);  // a release without a grab does nothing
}

TEST_F(CurveMouse, PressAndReleaseWithoutMovingStillPushes) {
  const ParameterImage before = host.theImage;
  press(34, 61);
  release(34, 61);
  EXPECT_EQ(host.pushes, 1);
  EXPECT_EQ(host.theImage, before);
}

TEST_F(CurveMouse, PressOnNothingGrabsNothing) {
  press(100, 100);
  EXPECT_EQ(graph.grabbed, NoPoint);
  move(110, 90);
  release(110, 90);
  EXPECT_EQ(host.pushes, 0);
  EXPECT_EQ(host.refreshes, 0);
}

TEST_F(CurveMouse, DuringADragNothingElseIsHoveredOrFocused) {
  press(53, 52);
  const auto focusedAtPress = host.focused.size();
  move(34, 61);  // over breakpoint 1
  EXPECT_EQ(graph.hovered, NoPoint);
  EXPECT_EQ(host.focused.size(), focusedAtPress);
}

TEST_F(CurveMouse, AdvanceIsClampedAndTheAxisGrowsUnderThePointer) {
  press(53, 52);
  move(53, -500);
  EXPECT_EQ(host.theImage.advance(2), 60);
  EXPECT_EQ(host.theImage.rpmPoint(2), 30);  // drawn at column 53, which the pointer kept
  EXPECT_EQ(graph.degMax, 65);
  ASSERT_EQ(host.pointerMoves.size(), 1U);
  EXPECT_EQ(host.pointerMoves[0].x, 1000 + 53);
  EXPECT_EQ(host.pointerMoves[0].y, 500 + 12);  // y(60) on the new axis
  EXPECT_EQ(graph.warpPending, 1);

  move(53, 100);  // the echo of the program's own pointer move
  EXPECT_EQ(graph.warpPending, 0);
  EXPECT_EQ(host.theImage.advance(2), 60);
  EXPECT_EQ(host.refreshes, 1);
}

TEST_F(CurveMouse, DraggedBreakpointsStopAtTheirDragBounds) {
  press(34, 61);
  move(-300, 61);
  EXPECT_EQ(host.theImage.rpmPoint(0), 2);  // 200 rpm
  release(-300, 61);

  press(120, 16);
  move(1000, 16);
  EXPECT_EQ(host.theImage.rpmPoint(9), 199);  // 19 900 rpm, not 20 000
  EXPECT_EQ(graph.rpmMax, 22500);
  ASSERT_EQ(host.pointerMoves.size(), 1U);
  EXPECT_EQ(host.pointerMoves[0].x, 1000 + 214);  // x of the clamped 25 500 rpm, before ordering
  EXPECT_EQ(host.pointerMoves[0].y, 500 + 16);
}

TEST_F(CurveMouse, ADraggedBreakpointPushesItsNeighbourAndBringsItBack) {
  press(53, 52);
  move(39, 52);  // 1500 rpm
  EXPECT_EQ(host.theImage.rpmPoint(2), 15);
  EXPECT_EQ(host.theImage.rpmPoint(1), 14);
  EXPECT_EQ(host.theImage.rpmPoint(0), 10);
  EXPECT_TRUE(host.memory.pushed[1]);
  move(53, 52);
  EXPECT_EQ(host.theImage.rpmPoint(2), 29);
  EXPECT_EQ(host.theImage.rpmPoint(1), 20);
  EXPECT_FALSE(host.memory.pushed[1]);
}

TEST_F(CurveMouse, ShiftDragMovesEveryAdvanceEachClampedOnItsOwn) {
  const std::array<std::uint8_t, 10> start{20, 22, 20, 30, 52, 55, 58, 40, 33, 33};
  for (int i = 0; i < kBreakpointCount; ++i) host.theImage.advance(i) = start[static_cast<std::size_t>(i)];
  host.echoesMoves = false;
  layOut();
  graph.allMode = 1;

  press(53, 72);  // breakpoint 3 at 20 degrees
  ASSERT_EQ(graph.grabbed, 2);
  move(53, 56);  // 30 degrees
  std::array<std::uint8_t, 10> up{};
  for (int i = 0; i < kBreakpointCount; ++i) up[static_cast<std::size_t>(i)] = host.theImage.advance(i);
  EXPECT_EQ(up, (std::array<std::uint8_t, 10>{30, 32, 30, 40, 60, 60, 60, 50, 43, 43}));
  EXPECT_EQ(host.theImage.rpmPoint(2), 30);  // a straight vertical drag keeps the speed
  EXPECT_EQ(host.theImage.rpmPoint(3), 40);
  // The axis grew, but this platform sends no echo: no real move may be swallowed.
  EXPECT_EQ(host.pointerMoves.size(), 1U);
  EXPECT_EQ(graph.warpPending, 0);

  move(53, 76);  // back to 20 degrees on the grown axis
  std::array<std::uint8_t, 10> back{};
  for (int i = 0; i < kBreakpointCount; ++i) back[static_cast<std::size_t>(i)] = host.theImage.advance(i);
  EXPECT_EQ(back, (std::array<std::uint8_t, 10>{20, 22, 20, 30, 50, 50, 50, 40, 33, 33}));
}

TEST_F(CurveMouse, ShiftDragOfTheBaseMovesOnlyTheBase) {
  graph.allMode = 1;
  const ParameterImage before = host.theImage;
  press(25, 84);
  ASSERT_EQ(graph.grabbed, BasePoint);
  move(25, 61);
  EXPECT_EQ(host.theImage.baseAdvance(), 20);
  for (int i = 0; i < kBreakpointCount; ++i) EXPECT_EQ(host.theImage.advance(i), before.advance(i));
  EXPECT_EQ(host.memory.lastMovedPoint, BasePoint);
}

// A drag has its own bounds, wider than the fields': the base point follows
// the breakpoints' advances up to 60 degrees (its field stops at 40) and the
// limiter reaches 25 500 rpm (its field stops at 25 000).
TEST_F(CurveMouse, BaseAndLimiterDragsReachPastTheirFields) {
  host.echoesMoves = false;
  press(25, 84);
  ASSERT_EQ(graph.grabbed, BasePoint);
  move(25, -500);
  EXPECT_EQ(host.theImage.baseAdvance(), 60);
  release(25, -500);

  layOut();
  press(170, 100);
  ASSERT_EQ(graph.grabbed, LimiterPoint);
  move(5000, 100);
  EXPECT_EQ(host.theImage.limiter(), 255);
  EXPECT_EQ(graph.rpmMax, 27500);
}

TEST_F(CurveMouse, LimiterDraggedFarLeftStopsAtItsMinimumAndThePointerFollowsTheAxis) {
  press(170, 100);
  ASSERT_EQ(graph.grabbed, LimiterPoint);
  EXPECT_EQ(graph.grabOffsetX, 2);
  EXPECT_EQ(graph.grabOffsetY, 0);

  move(-400, 100);
  EXPECT_EQ(host.theImage.limiter(), 10);
  EXPECT_EQ(host.memory.lastMovedPoint, LimiterPoint);
  EXPECT_EQ(graph.rpmMax, 12500);
  ASSERT_EQ(host.pointerMoves.size(), 1U);
  EXPECT_EQ(host.pointerMoves[0].x, 1000 + 25 + 2);  // 0 rpm plus the offset, not the raised line
  EXPECT_EQ(host.pointerMoves[0].y, 500 + 100);
  EXPECT_EQ(graph.warpPending, 1);

  move(-400, 100);
  EXPECT_EQ(host.refreshes, 1);  // the echo is ignored
  move(-400, 100);
  EXPECT_EQ(host.refreshes, 2);
  release(-400, 100);
  EXPECT_EQ(host.pushes, 1);
}

// A straight vertical drag keeps the speed and a straight horizontal one the
// advance, on every scale the window's graph can have: the drawn pixel of a
// value is truncated, and rounding that pixel back to 100 rpm or a degree
// does not always give the value it came from.
namespace straight {

// Ten breakpoints `spacing` rpm apart with breakpoint p at `speed` and
// `advance`, the others and the base at `others` degrees.
ParameterImage Image(int p, int speed, int spacing, int advance, int others, int limiter) {
  ParameterImage image;
  image.baseAdvance() = static_cast<std::uint8_t>(others);
  image.limiter() = static_cast<std::uint8_t>(limiter / 100);
  for (int i = 0; i < kBreakpointCount; ++i) {
    image.rpmPoint(i) = static_cast<std::uint8_t>((speed + (i - p) * spacing) / 100);
    image.advance(i) = static_cast<std::uint8_t>(others);
  }
  image.advance(p) = static_cast<std::uint8_t>(advance);
  return image;
}

// Presses what stands at (X, Y) one pixel right of and below it, expects to
// grab `point`, moves the pointer only vertically or only horizontally, and
// says whether the value the move does not aim at stayed as it was.
::testing::AssertionResult StraightDragKeeps(const ParameterImage& start, int point, bool vertical) {
  FakeHost host;
  host.theImage = start;
  host.echoesMoves = false;
  CurveGraph graph = LaidOut(host);
  const auto kept = [&](const ParameterImage& image) {
    if (point == LimiterPoint) return UserValue(image, Field::Limiter);
    return vertical ? PointSpeed(image, point) : PointAdvance(image, point);
  };
  const int before = kept(start);
  const int X = 1 + graph.x(point == LimiterPoint ? UserValue(start, Field::Limiter) : PointSpeed(start, point));
  const int Y = 1 + (point == LimiterPoint ? graph.areaBottom - 2 : graph.y(PointAdvance(start, point)));
  graph.mouse(MouseKind::Down, X, Y, host, host);
  if (graph.grabbed != point) return ::testing::AssertionFailure() << "grabbed " << graph.grabbed;
  for (const int step : {-3, -1, 1, 4}) {
    graph.mouse(MouseKind::Move, vertical ? X : X + step, vertical ? Y + step : Y, host, host);
    if (kept(host.theImage) != before) {
      return ::testing::AssertionFailure() << "moved by " << step << ": " << before << " became " << kept(host.theImage);
    }
  }
  return ::testing::AssertionSuccess();
}

// Every rpm axis the graph can have comes from the higher of the last
// breakpoint and the limiter, which reaches the byte's top.
constexpr int kLowestLimiter = 1000;
constexpr int kHighestLimiter = 25500;

TEST(CurveStraightDrag, AVerticalDragNeverMovesABreakpointsSpeed) {
  const Range dragged = SpecOf(Field::RpmPoint).orderedDragged;
  const int last = kBreakpointCount - 1;
  int checked = 0;
  // Every speed the first or the last breakpoint can hold while dragged.
  for (int speed = dragged.minimum; speed <= dragged.maximum + 100 * last; speed += 100) {
    for (const int p : {0, last}) {
      if (speed < dragged.minimum + 100 * p || speed > dragged.maximum + 100 * p) continue;
      for (int limiter = kLowestLimiter; limiter <= kHighestLimiter; limiter += 100) {
        ++checked;
        EXPECT_TRUE(StraightDragKeeps(Image(p, speed, 100, 30, 0, limiter), p, true))
            << "breakpoint " << p + 1 << " at " << speed << " rpm, limiter " << limiter;
      }
    }
  }
  EXPECT_EQ(checked, 2 * 189 * 246);
}

TEST(CurveStraightDrag, AVerticalDragNeverMovesTheLimiter) {
  for (int limiter = kLowestLimiter; limiter <= kHighestLimiter; limiter += 100) {
    for (int lastSpeed = 1100; lastSpeed <= 19900; lastSpeed += 100) {
      EXPECT_TRUE(StraightDragKeeps(Image(9, lastSpeed, 100, 30, 30, limiter), LimiterPoint, true))
          << "limiter " << limiter << ", last breakpoint " << lastSpeed;
    }
  }
}

// Every advance axis comes from the highest advance; the others' advance
// sets it while the dragged point stays below.
TEST(CurveStraightDrag, AHorizontalDragNeverMovesAnAdvanceOrTheBase) {
  for (int advance = 0; advance <= 60; ++advance) {
    for (int others = 0; others <= 60; ++others) {
      if (std::abs(others - advance) < 3) continue;  // the press must find the point, not a neighbour
      for (const int limiter : {5000, 12000, 25500}) {
        EXPECT_TRUE(StraightDragKeeps(Image(4, 9000, 1000, advance, others, limiter), 4, false))
            << "advance " << advance << ", others " << others << ", limiter " << limiter;
      }
      ParameterImage image = Image(4, 9000, 1000, others, others, 12000);
      image.baseAdvance() = static_cast<std::uint8_t>(advance);
      EXPECT_TRUE(StraightDragKeeps(image, BasePoint, false)) << "base " << advance << ", others " << others;
    }
  }
}

}  // namespace straight

}  // namespace
}  // namespace zelmo
