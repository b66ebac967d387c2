// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/unit_info.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/device/cp1250.h"

namespace zelmo {
namespace {

UnitInfo Info(std::uint8_t day, std::uint8_t month, std::uint8_t year, std::uint8_t hour, std::uint8_t minute) {
  UnitInfo info;
  info.bytes[0] = 'A';
  info.bytes[1] = 'B';
  info.bytes[2] = 'C';
  info.bytes[3] = 7;
  info.bytes[4] = day;
  info.bytes[5] = month;
  info.bytes[6] = year;
  info.bytes[7] = hour;
  info.bytes[8] = minute;
  info.bytes[10] = kProtocolVersion;
  return info;
}

TEST(UnitInfo, DateAndTime) {
  const UnitInfoTexts t = DecodeUnitInfo(Info(9, 25, 14, 7, 5));
  EXPECT_EQ(t.versionText, "ABC07");
  EXPECT_EQ(t.dateText, " 9. 1.2014");
  EXPECT_EQ(t.timeText, "07:05");
  EXPECT_EQ(DecodeUnitInfo(Info(10, 0, 9, 23, 59)).dateText, "10.00.2009");
  EXPECT_EQ(DecodeUnitInfo(Info(31, 12, 21, 0, 0)).dateText, "31.12.2021");
}

TEST(UnitInfo, MonthCodesComeFromTheAbbreviations) {
  const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const char* texts[] = {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10", "11", "12"};
  for (int m = 0; m < 12; ++m) EXPECT_EQ(MonthText(MonthCodeOf(names[m])), texts[m]) << names[m];
  EXPECT_EQ(MonthText(1), "00");
}

TEST(UnitInfo, FirmwareTextReplacesNameAndNumber) {
  UnitInfo info = Info(1, 25, 20, 1, 1);
  std::memcpy(&info.bytes[16], "TCI fw 2.1", 10);
  EXPECT_EQ(DecodeUnitInfo(info).versionText, "TCI fw 2.1");

  // Thirty characters without a terminating zero stop at the end of the field.
  for (std::size_t i = 16; i < 46; ++i) info.bytes[i] = 'x';
  info.bytes[46] = 'y';
  EXPECT_EQ(DecodeUnitInfo(info).versionText, std::string(30, 'x'));

  // Code page 1250 arrives as UTF-8.
  info.bytes[16] = 0x8A;  // Š
  info.bytes[17] = 0;
  EXPECT_EQ(DecodeUnitInfo(info).versionText, "\u0160");
}

TEST(UnitInfo, Cp1250Conversion) {
  const std::uint8_t text[] = {'a', 0x80, 0xE8, 0x9E, 0x81, 0xFF};
  EXPECT_EQ(Cp1250ToUtf8(text), "a\u20AC\u010D\u017E\uFFFD\u02D9");
}

TEST(UnitInfo, ZeroInTheNameEndsTheText) {
  UnitInfo info = Info(1, 25, 20, 1, 1);
  info.bytes[1] = 0;
  EXPECT_EQ(DecodeUnitInfo(info).versionText, "A");
}

}  // namespace
}  // namespace zelmo
