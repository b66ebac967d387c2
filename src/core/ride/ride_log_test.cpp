// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/device/monitor.h"

namespace zelmo {
namespace {

// A recording as the recorder writes it: the real header and rows.
std::string Recording(int rows) {
  std::string text = MonitorCsvHeader() + "\n";
  for (int i = 0; i < rows; ++i) {
    MonitorData d;
    d.engineRpm = static_cast<std::uint16_t>(1000 + 100 * i);
    d.currentAdvance = static_cast<std::uint8_t>(10 + i);
    d.supplyRaw = 2000;
    d.blocking = static_cast<std::uint8_t>(i % 2);
    d.pickup1Running = 1;
    text += MonitorCsvRow(d, 300LL * i) + "\n";
  }
  return text;
}

std::string ReplaceLine(const std::string& text, int line, const std::string& with) {
  std::size_t start = 0;
  for (int i = 1; i < line; ++i) start = text.find('\n', start) + 1;
  const std::size_t end = text.find('\n', start);
  return text.substr(0, start) + with + text.substr(end);
}

TEST(RideLog, ReadsWhatTheRecorderWrites) {
  const RideLogRead read = ParseRideLog(Recording(5));
  ASSERT_EQ(read.error, RideLogError::None);
  EXPECT_EQ(read.skippedCount, 0);
  EXPECT_TRUE(read.missingColumns.empty());
  ASSERT_EQ(read.log.rows(), 5u);
  EXPECT_EQ(read.log.timeMs[4], 1200);
  EXPECT_FLOAT_EQ(read.log.find(RideQuantity::EngineRpm)->values[3], 1300.0f);
  EXPECT_FLOAT_EQ(read.log.find(RideQuantity::Advance)->values[2], 12.0f);
  // 2000 counts are 14.231 V in the window's label and in the file.
  EXPECT_NEAR(read.log.find(RideQuantity::Volts)->values[0], 14.231f, 1e-4);
  EXPECT_FLOAT_EQ(read.log.find(RideQuantity::Blocking)->values[1], 1.0f);
  // Every column is kept for the read-out, in the header's order.
  EXPECT_EQ(read.log.columns.size(), 22u);
  EXPECT_EQ(read.log.columns.front().name, "engineRpm");
}

TEST(RideLog, SkipsDamagedLinesAndSaysWhich) {
  std::string text = Recording(8);
  text = ReplaceLine(text, 3, "600,1200,0,12,x,2000,14.231,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,61");   // text
  text = ReplaceLine(text, 5, "1200,1400,0,14");                                                 // too few
  text = ReplaceLine(text, 7, "1200,1600,0,16,0,2000,14.231,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,61");  // time repeats
  text.resize(text.size() - 10);  // the last line cut short, no line break
  const RideLogRead read = ParseRideLog(text);
  ASSERT_EQ(read.error, RideLogError::None);
  EXPECT_EQ(read.log.rows(), 4u);
  ASSERT_EQ(read.skippedCount, 4);
  EXPECT_EQ(read.skipped[0].line, 3);
  EXPECT_EQ(read.skipped[0].reason, SkipReason::NotANumber);
  EXPECT_EQ(read.skipped[1].line, 5);
  EXPECT_EQ(read.skipped[1].reason, SkipReason::FieldCount);
  EXPECT_EQ(read.skipped[2].line, 7);
  EXPECT_EQ(read.skipped[2].reason, SkipReason::TimeNotIncreasing);
  EXPECT_EQ(read.skipped[3].line, 9);
  EXPECT_EQ(read.skipped[3].reason, SkipReason::CutShort);
  for (std::size_t i = 1; i < read.log.rows(); ++i) EXPECT_LT(read.log.timeMs[i - 1], read.log.timeMs[i]);
}

TEST(RideLog, KeepsOnlyTheFirstSkippedLinesButCountsAll) {
  std::string text = MonitorCsvHeader() + "\n";
  for (int i = 0; i < 100; ++i) text += "oops\n";
  text += Recording(1).substr(MonitorCsvHeader().size() + 1);
  const RideLogRead read = ParseRideLog(text);
  EXPECT_EQ(read.log.rows(), 1u);
  EXPECT_EQ(read.skippedCount, 100);
  EXPECT_EQ(read.skipped.size(), kSkippedLinesKept);
}

TEST(RideLog, OpensOtherColumnSetsAndLineEnds) {
  // Another column order, a column of its own, Windows line ends, a BOM and
  // no volts but the converter counts.
  const std::string text =
      "\xEF\xBB\xBF"
      "engineRpm,time_ms,supplyRaw,note\r\n"
      "3000,0,2000,1\r\n"
      "3100,500,1000,2\r\n";
  const RideLogRead read = ParseRideLog(text);
  ASSERT_EQ(read.error, RideLogError::None);
  ASSERT_EQ(read.log.rows(), 2u);
  EXPECT_EQ(read.log.timeMs[1], 500);
  EXPECT_FLOAT_EQ(read.log.find(RideQuantity::EngineRpm)->values[1], 3100.0f);
  EXPECT_NEAR(read.log.find(RideQuantity::Volts)->values[1], 7.51f, 1e-4);
  EXPECT_EQ(read.log.find(RideQuantity::Advance), nullptr);
  EXPECT_NE(std::find(read.missingColumns.begin(), read.missingColumns.end(), "currentAdvance"),
            read.missingColumns.end());
}

TEST(RideLog, RefusesEmptyAndForeignFiles) {
  EXPECT_EQ(ParseRideLog("").error, RideLogError::Empty);
  EXPECT_EQ(ParseRideLog("\n\r\n  \n").error, RideLogError::Empty);
  EXPECT_EQ(ParseRideLog(MonitorCsvHeader() + "\n").error, RideLogError::Empty);
  EXPECT_EQ(ParseRideLog("name,price\nbolt,3\n").error, RideLogError::Foreign);
  EXPECT_EQ(ParseRideLog("time_ms,price\n0,3\n").error, RideLogError::Foreign);
  // A parameter file chosen by mistake.
  EXPECT_EQ(ParseRideLog("[TCI]\nrpm1=1000\n").error, RideLogError::Foreign);
  EXPECT_TRUE(ParseRideLog("name,price\nbolt,3\n").log.columns.empty());
}

TEST(RideLog, ReadsFilesAndNamesWhyNot) {
  const auto dir = std::filesystem::path(testing::TempDir()) / "ride_log_test";
  std::filesystem::create_directories(dir);
  const auto file = dir / "ride.csv";
  {
    std::ofstream out(file, std::ios::binary);
    out << Recording(3);
  }
  EXPECT_EQ(ReadRideLog(file).log.rows(), 3u);
  const RideLogRead missing = ReadRideLog(dir / "nothing.csv");
  EXPECT_EQ(missing.error, RideLogError::Unreadable);
  EXPECT_FALSE(missing.reason.empty());
  std::filesystem::remove_all(dir);
}

TEST(RideLog, RowAtFindsTheRowShowingAtATime) {
  const RideLog log = ParseRideLog(Recording(4)).log;  // 0, 300, 600, 900
  EXPECT_EQ(RowAt(log, -5), 0u);
  EXPECT_EQ(RowAt(log, 0), 0u);
  EXPECT_EQ(RowAt(log, 299), 0u);
  EXPECT_EQ(RowAt(log, 300), 1u);
  EXPECT_EQ(RowAt(log, 5000), 3u);
}

}  // namespace
}  // namespace zelmo
