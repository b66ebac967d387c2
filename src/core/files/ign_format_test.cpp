// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/ign_format.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "core/model/ordering.h"
#include "core/model/parameter_table.h"
#include "core/model/presets.h"

namespace zelmo {
namespace {

constexpr std::string_view kDefaultBike0 =
    "TORVANEX_KEY   61 \r\n"
    "\r\n"
    "BIKE            0 \r\n"
    "RPM_ADV      1500  2000  3000  4000  5000  6000  7000  8000  9000 10000 \r\n"
    "ADVANCE         5    15    20    25    33    33    33    33    33    33 \r\n"
    "TOP             3     9 \r\n"
    "EXCITATION      1\r\n"
    "BASE_ADV        5 \r\n"
    "LIMITER       137 \r\n"
    "RPM2            1\r\n"
    "RPM_CORR        0 \r\n"
    "BLOK_ENABLE     1\r\n"
    "INV_INPUT      0";

std::string KeyLine() { return "TORVANEX_KEY 61\n"; }

TEST(IgnWrite, DefaultFileOfBikeZeroIsByteExact) { EXPECT_EQ(WriteParameterFile(NewParameters(0)), kDefaultBike0); }

TEST(IgnWrite, SignedCorrectionAndFlagsAsOneOrZero) {
  ParameterImage image = NewParameters(0);
  image.speedCorrection() = 80;
  image.tacho2x() = 2;
  image.inverseInput() = 0;
  const std::string text = WriteParameterFile(image);
  EXPECT_NE(text.find("RPM_CORR      -20 \r\n"), std::string::npos);
  EXPECT_NE(text.find("RPM2            1\r\n"), std::string::npos);
}

TEST(IgnRead, RoundTripKeepsEverythingButReservedAndFlagValues) {
  ParameterImage written = NewParameters(7);
  written.advance(3) = 61;
  written.limiter() = 255;
  written.speedCorrection() = 40;
  written.longExcitation() = 3;
  written.reserved(0) = 9;
  ParameterImage read;
  ASSERT_TRUE(ReadParameterFile(WriteParameterFile(written), read));
  written.longExcitation() = 1;
  written.reserved(0) = 0;
  EXPECT_EQ(read, written);
}

TEST(IgnRead, NegativeCorrection) {
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile(KeyLine() + "RPM_CORR -20", image));
  EXPECT_EQ(image.speedCorrection(), 80);
}

TEST(IgnRead, OtherVersionIsRefusedAndImageUntouched) {
  const ParameterImage before = NewParameters(2);
  ParameterImage image = before;
  std::string text = WriteParameterFile(NewParameters(0));
  text.replace(text.find(" 61 "), 4, " 60 ");
  EXPECT_FALSE(ReadParameterFile(text, image));
  EXPECT_EQ(image, before);
}

TEST(IgnRead, RefusedWithoutKeyOrForEmptyAndBinaryInput) {
  const ParameterImage before = NewParameters(3);
  ParameterImage image = before;
  EXPECT_FALSE(ReadParameterFile("", image));
  EXPECT_FALSE(ReadParameterFile("BIKE 3\r\nLIMITER 100", image));
  EXPECT_FALSE(ReadParameterFile(std::string("\0\xff\x01TORVANEX\0KEY 61", 17), image));
  EXPECT_FALSE(ReadParameterFile("torvanex_key 61", image));
  EXPECT_FALSE(ReadParameterFile("TORVANEX_KEY", image));
  EXPECT_FALSE(ReadParameterFile("TORVANEX_KEY 61x", image));
  EXPECT_EQ(image, before);
}

TEST(IgnRead, LaterKeyLineIsAcceptedAfterRefusedOne) {
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile("junk TORVANEX_KEY 60 LIMITER 1 TORVANEX_KEY 61 LIMITER 99", image));
  EXPECT_EQ(image.limiter(), 99);
}

TEST(IgnRead, OnlyKeyAndLimiterKeepsTheRestAndClearsCorrection) {
  ParameterImage expected = NewParameters(4);
  expected.speedCorrection() = 130;
  ParameterImage image = expected;
  ASSERT_TRUE(ReadParameterFile(KeyLine() + "LIMITER 150", image));
  expected.limiter() = 150;
  expected.speedCorrection() = 100;
  EXPECT_EQ(image, expected);
}

TEST(IgnRead, BikeSevenBringsInversePolarityUnlessALaterLineSaysOtherwise) {
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile(KeyLine() + "BIKE 7", image));
  EXPECT_EQ(image.inverseInput(), 1);
  ASSERT_TRUE(ReadParameterFile(KeyLine() + "BIKE 7\r\nINV_INPUT 0", image));
  EXPECT_EQ(image.inverseInput(), 0);
  image.inverseInput() = 1;
  ASSERT_TRUE(ReadParameterFile(KeyLine() + "BIKE 3", image));
  EXPECT_EQ(image.inverseInput(), 0);
}

TEST(IgnRead, MissingNumbersTakeTheNumberReadLast) {
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile(KeyLine() + "RPM_ADV 1500 2000\r\nADVANCE 1 2 3 4 5 6 7 8 9 10", image));
  EXPECT_EQ(image.rpmPoint(0), 15);
  for (int i = 1; i < kBreakpointCount; ++i) EXPECT_EQ(image.rpmPoint(i), 20) << i;
  EXPECT_EQ(image.advance(9), 10);

  OrderingMemory memory;
  StoredChoices choices;
  OrderBreakpoints(image, memory, choices);
  for (int i = 1; i < kBreakpointCount; ++i) EXPECT_EQ(image.rpmPoint(i), 19 + i) << i;
}

TEST(IgnRead, MissingNumberRightAfterKeyLineIsTheVersion) {
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile(KeyLine() + "BASE_ADV\r\nLIMITER", image));
  EXPECT_EQ(image.baseAdvance(), 61);
  EXPECT_EQ(image.limiter(), 61);
}

TEST(IgnRead, NumbersWrapToTheirLowBits) {
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile(KeyLine() +
                                    "LIMITER 300 BASE_ADV +7 ADVANCE -1 "
                                    "9999999999999999999 0 0 0 0 0 0 0 0 "
                                    "RPM_ADV 65636 -100 25600 0 0 0 0 0 0 0 RPM_CORR 200",
                                image));
  EXPECT_EQ(image.limiter(), 44);
  EXPECT_EQ(image.baseAdvance(), 7);
  EXPECT_EQ(image.advance(0), 255);
  EXPECT_EQ(image.advance(1), 9999999999999999999ull % 256);
  EXPECT_EQ(image.rpmPoint(0), 1);      // 65636 mod 65536 = 100
  EXPECT_EQ(image.rpmPoint(1), 654 % 256);  // -100 mod 65536 = 65436
  EXPECT_EQ(image.rpmPoint(2), 0);      // 256 hundreds wrap to 0
  EXPECT_EQ(image.speedCorrection(), 44);   // (200 + 100) mod 256
}

TEST(IgnRead, KeysAreCaseSensitiveAndStrayTokensSkipped) {
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile(KeyLine() + "limiter 200 12 BIKE_X 4 LIMITER 140 LIMITER 141", image));
  EXPECT_EQ(image.limiter(), 141);
  EXPECT_EQ(image.bikeCode(), 0);
}

TEST(IgnRead, AnyWhiteSpaceSeparates) {
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile("\tTORVANEX_KEY\v61\fTOP\t4\n\n\r8", image));
  EXPECT_EQ(image.top14(), 4);
  EXPECT_EQ(image.top23(), 8);
}

TEST(IgnRead, OverlongTokensAreSkippedWhole) {
  ParameterImage image = NewParameters(0);
  const std::string fits(kMaxIgnToken, 'x');
  const std::string tooLong = std::string(kMaxIgnToken - 4, 'x') + "LIMITER";
  ASSERT_TRUE(ReadParameterFile(KeyLine() + fits + " " + tooLong + " 12 BASE_ADV " + std::string(5000, '9') + " 9", image));
  EXPECT_EQ(image.limiter(), 137);
  EXPECT_EQ(image.baseAdvance(), 9);
  EXPECT_FALSE(ReadParameterFile(std::string(100000, 'A'), image));
}

TEST(IgnRead, TruncatedFileKeepsWhatWasRead) {
  const std::string full = WriteParameterFile(NewParameters(8));
  ParameterImage image = NewParameters(0);
  ASSERT_TRUE(ReadParameterFile(full.substr(0, full.find("TOP")), image));
  EXPECT_EQ(image.bikeCode(), 8);
  EXPECT_EQ(image.top14(), 3);
  EXPECT_EQ(image.limiter(), 137);
  ASSERT_TRUE(ReadParameterFile(full.substr(0, full.find("LIMITER") + 11), image));
  EXPECT_EQ(image.limiter(), 5);
}

}  // namespace
TEST(IgnFormat, FileLinesCarryTheTableKeysAndTheirNumberOfValues) {
  std::map<std::string, int> expected;  // key: values on its line
  for (const ParameterSpec& spec : ParameterSpecs()) expected[std::string(spec.ignKey)] += spec.count;

  std::istringstream file(WriteParameterFile(NewParameters(0)));
  std::map<std::string, int> written;
  std::string line;
  std::getline(file, line);  // the key line
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string key;
    if (!(words >> key)) continue;
    EXPECT_EQ(written.count(key), 0u) << key << " written twice";
    int values = 0;
    for (std::string word; words >> word;) ++values;
    written[key] = values;
  }
  EXPECT_EQ(written, expected);
}

}  // namespace zelmo
