// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/differences.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/device/frame.h"
#include "core/lang/texts.h"
#include "core/model/bike_code.h"
#include "core/model/presets.h"

namespace zelmo {
namespace {

constexpr std::size_t kReservedRow = 30;

// The row each image byte belongs to.
std::size_t RowOf(std::size_t offset) {
  if (offset >= field::kReserved) return kReservedRow;
  if (offset >= field::kAdvance) return 11 + (offset - field::kAdvance);
  if (offset >= field::kRpmPoint) return 1 + (offset - field::kRpmPoint);
  switch (offset) {
    case field::kBikeCode:
      return 0;
    case field::kTop14:
      return 21;
    case field::kTop23:
      return 22;
    case field::kBaseAdvance:
      return 23;
    case field::kLimiter:
      return 24;
    case field::kTacho2x:
      return 25;
    case field::kBlockEnable:
      return 26;
    case field::kLongExcitation:
      return 27;
    case field::kInverseInput:
      return 28;
    default:
      return 29;  // speed correction
  }
}

Payload UnitOf(const ParameterImage& image) {
  Payload unit{};
  std::copy(image.image().begin(), image.image().end(), unit.begin());
  return unit;
}

TEST(Differences, EqualImagesMarkNothing) {
  const ParameterImage editor = NewParameters(0);
  const DifferenceTable table = MakeDifferences(editor, UnitOf(editor), kEnglish);
  ASSERT_EQ(table.rows.size(), kReservedRow + 1);
  EXPECT_EQ(table.differingRows(), 0u);
  EXPECT_EQ(table.rows[kReservedRow].field, "reserved bytes: 0 differ");
}

TEST(Differences, EachByteChangedAloneMarksExactlyItsRow) {
  const ParameterImage editor = NewParameters(7);
  for (std::size_t offset = 0; offset < kImageSize; ++offset) {
    Payload unit = UnitOf(editor);
    unit[offset] = static_cast<std::uint8_t>(unit[offset] ^ 0x02);
    const DifferenceTable table = MakeDifferences(editor, unit, kEnglish);
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
      EXPECT_EQ(table.rows[row].differs, row == RowOf(offset)) << "byte " << offset << " row " << row;
    }
    if (offset < field::kReserved) {
      const DifferenceRow& row = table.rows[RowOf(offset)];
      EXPECT_NE(row.editor, row.unit) << "byte " << offset << ": a differing row must read differently";
    }
  }
}

TEST(Differences, ReservedBytesAreCountedInOneRow) {
  ParameterImage editor = NewParameters(0);
  Payload unit = UnitOf(editor);
  unit[field::kReserved] = 1;
  unit[field::kReserved + 7] = 9;
  unit[kImageSize - 1] = 255;
  editor.area[kImageSize] = 77;  // the five bytes beyond the image never travel
  const DifferenceTable table = MakeDifferences(editor, unit, kEnglish);
  EXPECT_EQ(table.reservedDiffering, 3);
  EXPECT_EQ(table.rows[kReservedRow].field, "reserved bytes: 3 differ");
  EXPECT_TRUE(table.rows[kReservedRow].differs);
  EXPECT_EQ(table.differingRows(), 1u);
}

TEST(Differences, ValuesInUserUnits) {
  ParameterImage editor = NewParameters(0);
  editor.speedCorrection() = 80;
  Payload unit = UnitOf(editor);
  unit[field::kBikeCode] = kSpecialBikeCode;
  unit[field::kRpmPoint + 9] = 190;
  unit[field::kLimiter] = 150;
  unit[field::kSpeedCorrection] = 130;
  unit[field::kTacho2x] = 2;
  unit[field::kBlockEnable] = 0;
  const DifferenceTable table = MakeDifferences(editor, unit, kEnglish);
  EXPECT_EQ(table.rows[0].field, "Bike");
  EXPECT_EQ(table.rows[0].editor, "RKX 600                -98");
  EXPECT_EQ(table.rows[0].unit, "Special setting");
  EXPECT_EQ(table.rows[10].field, "Speed 10 [rpm]");
  EXPECT_EQ(table.rows[10].editor, "10000");
  EXPECT_EQ(table.rows[10].unit, "19000");
  EXPECT_EQ(table.rows[11].field, "Advance 1 [°]");
  EXPECT_EQ(table.rows[11].editor, "5");
  EXPECT_EQ(table.rows[24].unit, "15000");
  EXPECT_EQ(table.rows[25].editor, "On");
  EXPECT_EQ(table.rows[25].unit, "On (2)");
  EXPECT_EQ(table.rows[26].unit, "Off");
  EXPECT_EQ(table.rows[29].editor, "-20");
  EXPECT_EQ(table.rows[29].unit, "30");
}

TEST(Differences, BikeNamesByLanguageAndUnknownCodes) {
  ParameterImage editor = NewParameters(8);
  Payload unit = UnitOf(editor);
  unit[field::kBikeCode] = kSpecialBikeCode;
  DifferenceTable table = MakeDifferences(editor, unit, kCzech);
  EXPECT_EQ(table.rows[0].field, "Motocykl");
  EXPECT_EQ(table.rows[0].editor, "RKX 900");  // the list's padding goes
  EXPECT_EQ(table.rows[0].unit, "Speciální nastavení");
  EXPECT_EQ(table.rows[kReservedRow].field, "rezervované bajty: počet rozdílů 0");
  unit[field::kBikeCode] = 12;
  table = MakeDifferences(editor, unit, kFrench);
  EXPECT_EQ(table.rows[0].unit, "12");
  editor.bikeCode() = kSpecialBikeCode;
  EXPECT_EQ(MakeDifferences(editor, unit, kFrench).rows[0].editor, "Special setting");
}

TEST(Differences, RenderingAlignsColumnsByCharacterAndMarksDifferingRows) {
  const ParameterImage editor = NewParameters(0);
  Payload unit = UnitOf(editor);
  unit[field::kAdvance + 2] = 21;
  unit[field::kReserved + 1] = 4;
  const std::string text = RenderDifferences(MakeDifferences(editor, unit, kGerman), kGerman);
  std::istringstream lines(text);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), kReservedRow + 2);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(all[0].rfind("  Parameter", 0), 0u);
  // The editor column starts at the same character in every line, "°" included.
  const auto column = [](const std::string& s, std::string_view what) {
    const std::size_t at = s.find(what);
    std::size_t chars = 0;
    for (std::size_t i = 0; i < at; ++i) chars += (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
    return chars;
  };
  const std::size_t editorColumn = column(all[0], "Editor");
  EXPECT_EQ(column(all[14], " 20 "), editorColumn - 1);
  EXPECT_EQ(all[14].rfind("* Vorzündung 3 [°]", 0), 0u) << all[14];
  EXPECT_EQ(all[14].substr(all[14].size() - 2), "21");
  EXPECT_EQ(all[31], "* reservierte Bytes: 1 abweichend");
  int marked = 0;
  for (const std::string& l : all) marked += l.rfind("* ", 0) == 0;
  EXPECT_EQ(marked, 2);
}

TEST(Differences, HeadsOfTheCallersNameTwoFilesCompared) {
  const ParameterImage left = NewParameters(0);
  Payload right = UnitOf(left);
  right[field::kAdvance] = 7;
  const std::string text =
      RenderDifferences(MakeDifferences(left, right, kEnglish), kEnglish, "stock.ign", "race-long-name.ign");
  const std::string head = text.substr(0, text.find('\n'));
  EXPECT_NE(head.find("stock.ign"), std::string::npos) << head;
  EXPECT_EQ(head.substr(head.size() - 18), "race-long-name.ign");
  EXPECT_EQ(head.find("Editor"), std::string::npos);
}

}  // namespace
}  // namespace zelmo
