// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/undo/undo_history.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

ParameterImage Numbered(int n) {
  ParameterImage image;
  image.area[0] = static_cast<std::uint8_t>(n);
  image.area[1] = static_cast<std::uint8_t>(n >> 8);
  return image;
}

TEST(UndoHistory, StartsWithBothDisabled) {
  UndoHistory h;
  h.reset(Numbered(0));
  EXPECT_FALSE(h.canUndo());
  EXPECT_FALSE(h.canRedo());
  ParameterImage image = Numbered(1);
  EXPECT_TRUE(h.push(image, false).changed);
  EXPECT_TRUE(h.canUndo());
  EXPECT_FALSE(h.canRedo());
  EXPECT_TRUE(h.undo(image, false).restored);
  EXPECT_EQ(image, Numbered(0));
  EXPECT_FALSE(h.canUndo());
  EXPECT_TRUE(h.canRedo());
}

TEST(UndoHistory, NewChangeDropsRedoStates) {
  UndoHistory h;
  ParameterImage image = Numbered(0);
  h.reset(image);
  for (int i = 1; i <= 5; ++i) h.push(Numbered(i), false);
  for (int i = 0; i < 3; ++i) h.undo(image, false);
  EXPECT_EQ(image, Numbered(2));
  h.push(Numbered(9), false);
  EXPECT_FALSE(h.canRedo());
  EXPECT_FALSE(h.redo(image, false).restored);
}

TEST(UndoHistory, RingKeeps199EarlierStates) {
  UndoHistory h;
  ParameterImage image = Numbered(0);
  h.reset(image);
  for (int i = 1; i <= 250; ++i) h.push(Numbered(i), false);
  int undos = 0;
  while (h.undo(image, false).restored) ++undos;
  EXPECT_EQ(undos, 199);
  EXPECT_EQ(image, Numbered(51));
}

TEST(UndoHistory, PushWithoutChangeKeepsPosition) {
  UndoHistory h;
  h.reset(Numbered(0));
  auto r = h.push(Numbered(0), false);
  EXPECT_FALSE(r.changed);
  EXPECT_FALSE(h.canUndo());
  EXPECT_EQ(h.current(), 0);
}

TEST(UndoHistory, ProgramAfterChangeRule) {
  UndoHistory h;
  h.reset(Numbered(0));
  EXPECT_FALSE(h.push(Numbered(0), false).startAutoProgram);
  // The push that first finds the box checked programs only a real change...
  EXPECT_FALSE(h.push(Numbered(0), true).startAutoProgram);
  // ...every later one programs, changed or not.
  EXPECT_TRUE(h.push(Numbered(0), true).startAutoProgram);
  EXPECT_TRUE(h.push(Numbered(1), true).startAutoProgram);
  EXPECT_FALSE(h.push(Numbered(1), false).startAutoProgram);
  EXPECT_FALSE(h.autoProgramArmed());
  EXPECT_TRUE(h.push(Numbered(2), true).startAutoProgram);
}

TEST(UndoHistory, UndoAndRedoProgramWhileBoxChecked) {
  UndoHistory h;
  ParameterImage image = Numbered(0);
  h.reset(image);
  h.push(Numbered(1), false);
  auto u = h.undo(image, true);
  EXPECT_TRUE(u.restored);
  EXPECT_TRUE(u.startAutoProgram);
  EXPECT_FALSE(h.autoProgramArmed());
  auto none = h.undo(image, true);
  EXPECT_FALSE(none.restored);
  EXPECT_FALSE(none.startAutoProgram);
  EXPECT_TRUE(h.redo(image, true).startAutoProgram);
}

TEST(UndoHistory, OpenedStateIsSkippedByUndo) {
  UndoHistory h;
  ParameterImage image = Numbered(0);
  h.reset(image);
  h.push(Numbered(1), false);
  image = Numbered(7);  // a file opened without a push
  h.undo(image, false);
  EXPECT_EQ(image, Numbered(0));
}

}  // namespace
}  // namespace zelmo
