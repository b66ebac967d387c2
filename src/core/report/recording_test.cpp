// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/files/platform_test_support.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

// Keeps what it was given; fails from the write numbered failAt on.
class MemorySink final : public RecordSink {
 public:
  struct Log {
    std::vector<std::string> writes;
    bool closed = false;
  };
  MemorySink(Log& log, int failAt, bool closeFails = false) : log_(log), failAt_(failAt), closeFails_(closeFails) {}
  bool write(std::string_view text) override {
    if (static_cast<int>(log_.writes.size()) + 1 >= failAt_) return false;
    log_.writes.emplace_back(text);
    return true;
  }
  bool close() override {
    log_.closed = true;
    return !closeFails_;
  }
  std::string reason() const override { return "No space left on device"; }

 private:
  Log& log_;
  int failAt_;
  bool closeFails_;
};

MonitorData Frame(std::uint16_t rpm) {
  MonitorData d;
  d.engineRpm = rpm;
  d.supplyRaw = 2000;
  d.protocolVersion = 61;
  return d;
}

TEST(LiveRecording, HeaderThenOneRowPerFrameWithTheTimeSinceTheStart) {
  MemorySink::Log log;
  LiveRecording recording(std::make_unique<MemorySink>(log, 1000), "run.csv", 10'000);
  ASSERT_TRUE(recording.recording());
  for (int i = 0; i < 12; ++i) EXPECT_TRUE(recording.frame(Frame(static_cast<std::uint16_t>(1000 + i)), 10'000 + 330 * i));
  EXPECT_EQ(recording.rows(), 12);
  ASSERT_EQ(log.writes.size(), 13u);
  EXPECT_EQ(log.writes[0], MonitorCsvHeader() + "\n");
  EXPECT_EQ(log.writes[0].rfind("time_ms,", 0), 0u);
  EXPECT_EQ(log.writes[1], MonitorCsvRow(Frame(1000), 0) + "\n");
  EXPECT_EQ(log.writes[12], MonitorCsvRow(Frame(1011), 3630) + "\n");
  EXPECT_EQ(log.writes[12].rfind("3630,1011,", 0), 0u);
  // The columns of every row match the header's.
  const auto columns = [](const std::string& s) { return std::count(s.begin(), s.end(), ','); };
  for (const std::string& w : log.writes) EXPECT_EQ(columns(w), columns(log.writes[0]));
  EXPECT_TRUE(recording.stop());
  EXPECT_TRUE(log.closed);
  EXPECT_FALSE(recording.recording());
  EXPECT_FALSE(recording.failed());
  EXPECT_TRUE(recording.errorText(kEnglish).empty());
  EXPECT_FALSE(recording.frame(Frame(1), 20'000));
  EXPECT_EQ(log.writes.size(), 13u);
}

TEST(LiveRecording, AClockBeforeTheStartGivesZero) {
  MemorySink::Log log;
  LiveRecording recording(std::make_unique<MemorySink>(log, 1000), "run.csv", 5'000);
  recording.frame(Frame(0), 4'990);
  EXPECT_EQ(log.writes[1].rfind("0,0,", 0), 0u);
}

TEST(LiveRecording, AFailingWriteStopsTheRecordingAndNamesTheFile) {
  MemorySink::Log log;
  LiveRecording recording(std::make_unique<MemorySink>(log, 4), "/media/usb/run.csv", 0);
  EXPECT_TRUE(recording.frame(Frame(1), 55));
  EXPECT_TRUE(recording.frame(Frame(2), 110));
  EXPECT_FALSE(recording.frame(Frame(3), 165));
  EXPECT_FALSE(recording.recording());
  EXPECT_TRUE(recording.failed());
  EXPECT_TRUE(log.closed);
  EXPECT_EQ(recording.rows(), 2);
  EXPECT_EQ(recording.errorText(kEnglish),
            "Recording stopped: unable to write to /media/usb/run.csv\nNo space left on device");
  EXPECT_EQ(recording.errorText(kGerman).rfind("Aufzeichnung beendet: /media/usb/run.csv", 0), 0u);
  EXPECT_FALSE(recording.frame(Frame(4), 220));
  EXPECT_FALSE(recording.stop());
  EXPECT_EQ(log.writes.size(), 3u);
}

TEST(LiveRecording, AFailingHeaderOrCloseIsAnErrorToo) {
  MemorySink::Log log;
  LiveRecording header(std::make_unique<MemorySink>(log, 1), "a.csv", 0);
  EXPECT_FALSE(header.recording());
  EXPECT_TRUE(header.failed());
  MemorySink::Log log2;
  LiveRecording closing(std::make_unique<MemorySink>(log2, 1000, true), "b.csv", 0);
  closing.frame(Frame(1), 1);
  EXPECT_FALSE(closing.stop());
  EXPECT_TRUE(closing.failed());
  EXPECT_NE(closing.errorText(kCzech).find("b.csv"), std::string::npos);
}

TEST(FileRecordSink, WritesEachRowThroughAndReportsAFullDisk) {
  const fs::path file = fs::temp_directory_path() / ("zelmo_recording_" + std::to_string(test::ProcessId()) + ".csv");
  std::string reason;
  {
    LiveRecording recording(FileRecordSink::open(file, &reason), file.string(), 0);
    recording.frame(Frame(900), 330);
    // Flushed per row: readable before the recording ends.
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), MonitorCsvHeader() + "\n" + MonitorCsvRow(Frame(900), 330) + "\n");
    EXPECT_TRUE(recording.stop());
  }
  fs::remove(file);

  EXPECT_EQ(FileRecordSink::open(file / "no" / "folder.csv", &reason), nullptr);
  EXPECT_EQ(reason, "No such file or directory");
  if (fs::exists("/dev/full")) {
    LiveRecording full(FileRecordSink::open("/dev/full", &reason), "/dev/full", 0);
    EXPECT_TRUE(full.failed());
    EXPECT_NE(full.errorText(kEnglish).find("No space left on device"), std::string::npos) << full.errorText(kEnglish);
  }
}

}  // namespace
}  // namespace zelmo
