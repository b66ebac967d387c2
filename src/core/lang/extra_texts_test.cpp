// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/texts.h"

#include <gtest/gtest.h>

#include <string>

namespace zelmo {
namespace {

constexpr std::uint8_t kLanguages[] = {kEnglish, kGerman, kCzech};

// The printf conversions of a pattern, in order: "sd" for "%s ... %d".
std::string Conversions(std::string_view text) {
  std::string found;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '%' && (text[i + 1] == 's' || text[i + 1] == 'd')) found += text[i + 1];
  }
  return found;
}

TEST(ExtraText, EveryTextInEveryLanguageWithTheSamePlaceholders) {
  for (int i = 0; i <= static_cast<int>(Extra::Off); ++i) {
    const auto text = static_cast<Extra>(i);
    const std::string english(Conversions(ExtraText(text, kEnglish)));
    for (const std::uint8_t id : kLanguages) {
      EXPECT_FALSE(ExtraText(text, id).empty()) << i << " in " << int{id};
      EXPECT_EQ(Conversions(ExtraText(text, id)), english) << i << " in " << int{id};
    }
    EXPECT_EQ(ExtraText(text, kFrench), ExtraText(text, kEnglish)) << i;
  }
}

TEST(ExtraText, ExactTextsOthersRelyOn) {
  EXPECT_EQ(ExtraText(Extra::PortDevice, kEnglish), "Device: %s");
  EXPECT_EQ(ExtraText(Extra::PortOtherError, kEnglish), "Reason: %s");
  EXPECT_EQ(ExtraText(Extra::PortNotFound, kEnglish),
            "The device does not exist. Check the cable and the port choice in the Com menu.");
  EXPECT_EQ(ExtraText(Extra::ReservedBytesDiffer, kEnglish), "reserved bytes: %d differ");
  EXPECT_EQ(ExtraText(Extra::FieldRpmPoint, kEnglish), "Speed %d [rpm]");
  EXPECT_EQ(ExtraText(Extra::FieldAdvance, kCzech), "Předstih %d [°]");
  EXPECT_EQ(ExtraText(Extra::SaveFailed, kGerman), "%s kann nicht gespeichert werden: %s");
  EXPECT_EQ(ExtraText(Extra::NotProgrammed, kCzech), "Nenaprogramováno");
  for (const std::uint8_t id : kLanguages) EXPECT_EQ(ExtraText(Extra::RecordLabel, id), "REC");
  EXPECT_TRUE(ExtraText(static_cast<Extra>(999), kEnglish).empty());
}

}  // namespace
}  // namespace zelmo
