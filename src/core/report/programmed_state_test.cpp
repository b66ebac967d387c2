// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/programmed_state.h"

#include <gtest/gtest.h>

#include "core/lang/texts.h"
#include "core/model/presets.h"
#include "core/undo/undo_history.h"

namespace zelmo {
namespace {

TEST(ProgrammedState, NothingLearntShowsNoSign) {
  const ProgrammedState state;
  EXPECT_FALSE(state.notProgrammed(ParameterImage{}));
  EXPECT_FALSE(state.notProgrammed(NewParameters(0)));
  EXPECT_TRUE(state.indicatorText(NewParameters(0), kEnglish).empty());
}

TEST(ProgrammedState, AFailedVerifyIsKnowledgeAndALostUnitIsNot) {
  ProgrammedState state;
  const ParameterImage editor = NewParameters(0);
  state.holdsOther();  // a Verify failed: the unit holds something else
  EXPECT_TRUE(state.notProgrammed(editor));
  EXPECT_EQ(state.indicatorText(editor, kEnglish), "Not programmed");
  EXPECT_EQ(state.indicatorText(editor, kGerman), "Nicht programmiert");
  state.unknown();  // unplugged: the next unit may be another one
  EXPECT_FALSE(state.notProgrammed(editor));
  state.verified(editor);
  ParameterImage changed = editor;
  changed.advance(2) = 33;
  EXPECT_TRUE(state.notProgrammed(changed));
  state.unknown();
  EXPECT_FALSE(state.notProgrammed(changed));
}

TEST(ProgrammedState, FollowsEditVerifyAndUndo) {
  ProgrammedState state;
  UndoHistory undo;
  ParameterImage editor = NewParameters(0);
  undo.reset(editor);

  state.verified(editor);  // a Read ends in a verify
  EXPECT_FALSE(state.notProgrammed(editor));
  EXPECT_TRUE(state.indicatorText(editor, kCzech).empty());

  editor.advance(3) = 40;
  undo.push(editor, false);
  EXPECT_TRUE(state.notProgrammed(editor));

  ASSERT_TRUE(undo.undo(editor, false).restored);
  EXPECT_FALSE(state.notProgrammed(editor)) << "back to what the unit holds";

  ASSERT_TRUE(undo.redo(editor, false).restored);
  EXPECT_TRUE(state.notProgrammed(editor));
  state.verified(editor);  // Program ends in a verify
  EXPECT_FALSE(state.notProgrammed(editor));

  ASSERT_TRUE(undo.undo(editor, false).restored);
  EXPECT_TRUE(state.notProgrammed(editor)) << "the unit now holds the newer image";
}

TEST(ProgrammedState, OnlyTheFiftyImageBytesCount) {
  ProgrammedState state;
  ParameterImage editor = NewParameters(3);
  state.verified(editor);
  editor.area[kImageSize + 2] = 9;  // beyond the image: never sent to the unit
  EXPECT_FALSE(state.notProgrammed(editor));
  editor.reserved(19) = 1;  // the reserved bytes are sent and compared
  EXPECT_TRUE(state.notProgrammed(editor));
}

TEST(ProgrammedState, AFailedTransferForgetsWhatTheUnitHeld) {
  ProgrammedState state;
  ParameterImage editor = NewParameters(0);
  state.verified(editor);
  const ParameterImage good = editor;
  editor.limiter() = 120;
  state.holdsOther();  // programming 120 failed halfway
  editor = good;   // undo to the image verified before
  EXPECT_TRUE(state.notProgrammed(editor));
}

}  // namespace
}  // namespace zelmo
