// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_texts.h"

#include <gtest/gtest.h>

#include "core/lang/texts.h"

namespace zelmo {
namespace {

TEST(RideTexts, NotesNameEverySkippedLineUpToTheLimit) {
  RideLogRead read;
  read.skippedCount = 25;
  for (long line = 2; line < 2 + static_cast<long>(kSkippedLinesKept); ++line)
    read.skipped.push_back({line, SkipReason::NotANumber});
  read.skipped.back().reason = SkipReason::CutShort;
  const std::string notes = RideLogNotes(read, kEnglish);
  EXPECT_EQ(notes.rfind("25 lines could not be read and were skipped:", 0), 0u) << notes;
  EXPECT_NE(notes.find("line 2: text where a number belongs"), std::string::npos);
  EXPECT_NE(notes.find("line 21: cut short at the end of the file"), std::string::npos);
  EXPECT_NE(notes.find("... and 5 more"), std::string::npos);
  EXPECT_NE(RideLogNotes(read, kCzech).find("řádek 2: text místo čísla"), std::string::npos);
}

TEST(RideTexts, NothingToSayForACleanFile) {
  EXPECT_TRUE(RideLogNotes(RideLogRead{}, kGerman).empty());
  EXPECT_TRUE(RideLogErrorText(RideLogRead{}, "a.csv", kGerman).empty());
}

TEST(RideTexts, ErrorsNameTheFileAndTheReason) {
  RideLogRead read;
  read.error = RideLogError::Unreadable;
  read.reason = "Permission denied";
  EXPECT_EQ(RideLogErrorText(read, "/tmp/r.csv", kEnglish), "Unable to read /tmp/r.csv\nPermission denied");
  read.error = RideLogError::Foreign;
  EXPECT_EQ(RideLogErrorText(read, "x.csv", kGerman).rfind("x.csv ist keine Aufzeichnung", 0), 0u);
  RideLogRead missing;
  missing.missingColumns = {"volts", "blocking"};
  EXPECT_EQ(RideLogNotes(missing, kEnglish), "Not in the file: volts, blocking");
}

}  // namespace
}  // namespace zelmo
