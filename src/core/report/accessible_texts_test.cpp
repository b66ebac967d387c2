// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/accessible_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/lang/texts.h"
#include "core/model/parameter_table.h"

namespace zelmo {
namespace {

std::string NameOf(const std::vector<ControlName>& names, std::string_view control) {
  const auto row = std::find_if(names.begin(), names.end(), [&](const ControlName& n) { return n.control == control; });
  return row == names.end() ? std::string("<none>") : row->name;
}

TEST(NumberedHead, PutsTheNumberBeforeTheUnit) {
  EXPECT_EQ(NumberedHead("Advance [°]", 3), "Advance 3 [°]");
  EXPECT_EQ(NumberedHead("Předstih [°]", 10), "Předstih 10 [°]");
  EXPECT_EQ(NumberedHead("RPM", 3), "RPM 3");
  // Brackets inside a head that does not end in a unit are no unit.
  EXPECT_EQ(NumberedHead("A [b] c", 2), "A [b] c 2");
}

TEST(ControlNames, BreakpointFieldsFollowTheColumnHeadsOfTheLanguage) {
  const auto english = ControlNames(kEnglish);
  EXPECT_EQ(NameOf(english, "EditRpmAdv3"), "RPM 3");
  EXPECT_EQ(NameOf(english, "Edit52"), "Advance 3 [°]");
  EXPECT_EQ(NameOf(english, "Edit59"), "Advance 10 [°]");
  EXPECT_EQ(NameOf(ControlNames(kGerman), "Edit50"), "Vorzündung 1 [°]");
  EXPECT_EQ(NameOf(ControlNames(kCzech), "Edit50"), "Předstih 1 [°]");
}

TEST(ControlNames, EveryLanguageNamesEveryControlWithoutAcceleratorMarks) {
  const auto english = ControlNames(kEnglish);
  for (std::uint8_t language : {kEnglish, kGerman, kFrench, kCzech, std::uint8_t{9}}) {
    const auto names = ControlNames(language);
    ASSERT_EQ(names.size(), english.size());
    for (const ControlName& n : names) {
      EXPECT_FALSE(n.name.empty()) << n.control << " in " << int{language};
      EXPECT_EQ(n.name.find('&'), std::string::npos) << n.name;
      EXPECT_NE(n.name.front(), ' ') << n.name;
      EXPECT_NE(n.name.back(), ' ') << n.name;
    }
  }
  // The slot without texts of its own reads English, not empty names.
  EXPECT_EQ(NameOf(ControlNames(kFrench), "SpeedButtonOpen"), NameOf(english, "SpeedButtonOpen"));
}

TEST(ControlNames, ToolButtonsAndShiftButtonsSayWhatTheyDo) {
  const auto german = ControlNames(kGerman);
  EXPECT_EQ(NameOf(german, "SpeedButtonOpen"), "öffnen Datei mit Kenndaten");
  EXPECT_EQ(NameOf(german, "SpeedButtonZnovu"), "Wieder");
  EXPECT_EQ(NameOf(ControlNames(kEnglish), "BitBtnAdvMinus"), "Advance -");
  EXPECT_EQ(NameOf(ControlNames(kCzech), "GrafAdv"), "Křivka předstihu");
}

TEST(CurveDescription, ListsEveryPointWithItsValues) {
  ParameterImage image;
  SetUserValue(image, Field::BaseAdvance, 8);
  SetUserValue(image, Field::Limiter, 9500);
  for (int i = 0; i < kBreakpointCount; ++i) {
    SetUserValue(image, Field::RpmPoint, 1000 + 500 * i, i);
    SetUserValue(image, Field::Advance, 10 + i, i);
  }
  const std::string text = CurveDescription(image, kEnglish);
  EXPECT_EQ(text.find("Base advance [°]: 8."), 0u) << text;
  EXPECT_NE(text.find("RPM 1: 1000, Advance 1 [°]: 10."), std::string::npos) << text;
  EXPECT_NE(text.find("RPM 10: 5500, Advance 10 [°]: 19."), std::string::npos) << text;
  EXPECT_NE(text.find("Limiter [rpm]: 9500."), std::string::npos) << text;
  EXPECT_NE(CurveDescription(image, kCzech).find("Omezovač [rpm]: 9500."), std::string::npos);
}

}  // namespace
}  // namespace zelmo
