// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ordering.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

// Breakpoints at 10, 20, ... 100 (hundreds of rpm), limiter 150.
ParameterImage EvenBreakpoints() {
  ParameterImage image;
  for (int i = 0; i < kBreakpointCount; ++i) image.rpmPoint(i) = static_cast<std::uint8_t>(10 * (i + 1));
  image.limiter() = 150;
  return image;
}

struct Fixture {
  ParameterImage image = EvenBreakpoints();
  OrderingMemory memory;
  StoredChoices choices;

  void drag(int point, int rpm) {
    image.rpmPoint(point) = static_cast<std::uint8_t>(rpm);
    memory.movedPoint = point;
    OrderBreakpoints(image, memory, choices);
    memory.movedPoint = kNoMovedPoint;
  }
  void controlEdit() {
    memory.movedPoint = kControlEdit;
    OrderBreakpoints(image, memory, choices);
  }
};

TEST(OrderBreakpoints, DragPushesNeighbourAndReturnsIt) {
  Fixture f;
  f.drag(2, 15);
  EXPECT_EQ(f.image.rpmPoint(1), 14);
  EXPECT_EQ(f.image.rpmPoint(0), 10);
  EXPECT_TRUE(f.memory.pushed[1]);
  EXPECT_EQ(f.memory.homeRpm[1], 20);
  f.drag(2, 30);
  EXPECT_EQ(f.image.rpmPoint(1), 20);
  EXPECT_FALSE(f.memory.pushed[1]);
}

TEST(OrderBreakpoints, ChainOfPushedPointsComesHomeInOnePass) {
  Fixture f;
  f.drag(2, 9);
  EXPECT_EQ(f.image.rpmPoint(1), 8);
  EXPECT_EQ(f.image.rpmPoint(0), 7);
  f.drag(2, 25);
  EXPECT_EQ(f.image.rpmPoint(0), 10);
  EXPECT_EQ(f.image.rpmPoint(1), 20);
  EXPECT_EQ(f.image.rpmPoint(2), 25);
}

TEST(OrderBreakpoints, ControlEditForgetsPushes) {
  Fixture f;
  f.drag(2, 15);
  f.controlEdit();
  f.drag(2, 30);
  EXPECT_EQ(f.image.rpmPoint(1), 14);
}

TEST(OrderBreakpoints, SecondDragOfSamePointKeepsMemory) {
  Fixture f;
  f.drag(2, 15);
  // a release runs no pass; the next drag step of the same point still knows.
  f.drag(2, 30);
  EXPECT_EQ(f.image.rpmPoint(1), 20);
}

TEST(OrderBreakpoints, DraggedPointBounds) {
  Fixture f;
  f.drag(0, 0);
  EXPECT_EQ(f.image.rpmPoint(0), 2);
  f.drag(9, 250);
  EXPECT_EQ(f.image.rpmPoint(9), 199);
}

TEST(OrderBreakpoints, TypedBoundsAndSpreading) {
  Fixture f;
  f.image.rpmPoint(9) = 201;
  f.controlEdit();
  EXPECT_EQ(f.image.rpmPoint(9), 200);

  // Below its lower neighbour: only the typed point moves.
  Fixture g;
  g.image.rpmPoint(4) = 35;
  g.controlEdit();
  EXPECT_EQ(g.image.rpmPoint(3), 40);
  EXPECT_EQ(g.image.rpmPoint(4), 41);
  EXPECT_EQ(g.image.rpmPoint(2), 30);

  // Above its upper neighbours: they are raised one step apart up to their bounds.
  Fixture h;
  h.image.rpmPoint(4) = 198;
  h.controlEdit();
  EXPECT_EQ(h.image.rpmPoint(4), 195);
  for (int i = 5; i < 10; ++i) EXPECT_EQ(h.image.rpmPoint(i), 195 + i - 4) << i;
}

TEST(OrderBreakpoints, ZeroBreakpointsAndLimiter) {
  Fixture f;
  f.image = ParameterImage{};
  f.controlEdit();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(f.image.rpmPoint(i), i + 2);
  EXPECT_EQ(f.image.limiter(), 10);
}

TEST(OrderBreakpoints, PushedChainAtTopStaysWithinBytes) {
  Fixture f;
  f.drag(0, 250);  // clamped to 190, pushes 1..9 up to 199
  EXPECT_EQ(f.image.rpmPoint(0), 190);
  for (int i = 1; i < 10; ++i) EXPECT_EQ(f.image.rpmPoint(i), 190 + i);
}

TEST(ClampComSettings, BringsStoredChoicesBackIntoRange) {
  StoredChoices c{4, 21, 20};
  ClampComSettings(c);
  EXPECT_EQ(c.languageId, 0);
  EXPECT_EQ(c.selectedComIndex, 0);
  EXPECT_EQ(c.autoPortIndex, 0);
  StoredChoices keep{3, 20, 19};
  ClampComSettings(keep);
  EXPECT_EQ(keep.languageId, 3);
  EXPECT_EQ(keep.selectedComIndex, 20);
  EXPECT_EQ(keep.autoPortIndex, 19);
  StoredChoices two{2, 0, 255};
  ClampComSettings(two);
  EXPECT_EQ(two.languageId, 2);
  EXPECT_EQ(two.autoPortIndex, 0);
}

}  // namespace
}  // namespace zelmo
