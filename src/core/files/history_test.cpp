// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/history.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/files/ign_format.h"
#include "core/files/platform_test_support.h"
#include "core/lang/texts.h"
#include "core/model/presets.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

constexpr LocalTime kTime{2026, 12, 9, 14, 3, 22};

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zelmo_history_" + std::to_string(test::ProcessId()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    folder_ = dir_ / "config" / "history";
  }
  void TearDown() override { fs::remove_all(dir_); }

  static void Touch(const fs::path& file, const std::string& content = "x") { std::ofstream(file) << content; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  fs::path folder_;
};

TEST(HistoryNames, FormatAndParseRoundTrip) {
  EXPECT_EQ(HistoryFileName({kTime, HistoryEvent::Read, 1}), "2026-12-09_14-03-22_read.ign");
  EXPECT_EQ(HistoryFileName({{2027, 1, 2, 3, 4, 5}, HistoryEvent::Program, 12}), "2027-01-02_03-04-05_program_12.ign");
  for (const HistoryName name : {HistoryName{kTime, HistoryEvent::Read, 1}, HistoryName{kTime, HistoryEvent::Program, 3},
                                 HistoryName{{2026, 1, 31, 23, 59, 60}, HistoryEvent::Read, 999999}}) {
    EXPECT_EQ(ParseHistoryFileName(*HistoryFileName(name)), name);
  }
  EXPECT_FALSE(HistoryFileName({{2026, 13, 1, 0, 0, 0}, HistoryEvent::Read, 1}));
  EXPECT_FALSE(HistoryFileName({{2026, 12, 9, 24, 0, 0}, HistoryEvent::Read, 1}));
  EXPECT_FALSE(HistoryFileName({kTime, HistoryEvent::Read, 0}));
}

TEST(HistoryNames, OnlyExactNamesParse) {
  for (const char* other :
       {"2026-12-09_14-03-22_read.IGN", "2026-12-09_14-03-22_Read.ign", "2026-12-09_14-03-22_read",
        "2026-12-09_14-03-22_read.ign~", "x2026-12-09_14-03-22_read.ign", "2026-12-09_14-03-22_read_1.ign",
        "2026-12-09_14-03-22_read_02.ign", "2026-12-09_14-03-22_read_.ign", "2026-12-09_14-03-22_write.ign",
        "2026-12-9_14-03-22_read.ign", "2026-12-09_14-3-22_read.ign", "2026-00-09_14-03-22_read.ign",
        "2026-12-09_14-03-61_read.ign", ".2026-12-09_14-03-22_read.ign.zelmo-save", "data.ign", ""}) {
    EXPECT_FALSE(ParseHistoryFileName(other)) << other;
  }
}

TEST(HistoryNames, TextsForTheList) {
  EXPECT_EQ(HistoryTimeText(kTime), "2026-12-09 14:03:22");
  EXPECT_EQ(HistoryEventText(HistoryEvent::Read, kEnglish), "Read");
  EXPECT_EQ(HistoryEventText(HistoryEvent::Program, kGerman), "Programmiert");
}

TEST_F(HistoryTest, TemporaryFilesOfKilledSavesGoWithTheNextEntry) {
  fs::create_directories(folder_);
  for (const char* left : {".2026-12-09_14-03-20_read.ign.zelmo-save", ".2026-12-09_14-03-21_program.ign.zelmo-save"}) {
    std::ofstream(folder_ / left) << "cut off";
  }
  ASSERT_TRUE(SaveHistoryEntry(folder_, NewParameters(7), HistoryEvent::Read, kTime).ok);
  EXPECT_EQ(Names(), std::vector<std::string>{"2026-12-09_14-03-22_read.ign"});
}

TEST_F(HistoryTest, SavesAParameterFileAndCreatesTheFolder) {
  const ParameterImage image = NewParameters(7);
  const HistorySaveResult saved = SaveHistoryEntry(folder_, image, HistoryEvent::Read, kTime);
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(saved.file, folder_ / "2026-12-09_14-03-22_read.ign");
  std::ifstream in(saved.file, std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, WriteParameterFile(image));
  EXPECT_EQ(Names(), std::vector<std::string>{"2026-12-09_14-03-22_read.ign"});
}

TEST_F(HistoryTest, TheSameSecondGetsACounterAndNothingIsOverwritten) {
  ASSERT_TRUE(SaveHistoryEntry(folder_, NewParameters(0), HistoryEvent::Read, kTime).ok);
  ASSERT_TRUE(SaveHistoryEntry(folder_, NewParameters(1), HistoryEvent::Program, kTime).ok);
  const HistorySaveResult third = SaveHistoryEntry(folder_, NewParameters(2), HistoryEvent::Read, kTime);
  ASSERT_TRUE(third.ok);
  EXPECT_EQ(third.file.filename(), "2026-12-09_14-03-22_read_3.ign");
  EXPECT_EQ(Names(), (std::vector<std::string>{"2026-12-09_14-03-22_program_2.ign", "2026-12-09_14-03-22_read.ign",
                                               "2026-12-09_14-03-22_read_3.ign"}));
  // Newest first, by counter within the second, each with its own bike.
  const std::vector<HistoryEntry> list = ListHistory(folder_);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].name.sequence, 3);
  EXPECT_EQ(list[0].bikeCode, 2);
  EXPECT_EQ(list[1].name.event, HistoryEvent::Program);
  EXPECT_EQ(list[1].bikeCode, 1);
  EXPECT_EQ(list[2].name.sequence, 1);
  EXPECT_EQ(list[2].bikeCode, 0);
}

TEST_F(HistoryTest, ListsNewestFirstWithParsedNamesAndUnreadableFilesWithoutBike) {
  fs::create_directories(folder_);
  Touch(folder_ / "2026-12-09_09-00-00_program.ign", WriteParameterFile(NewParameters(9)));
  Touch(folder_ / "2025-01-31_23-59-59_read.ign", WriteParameterFile(NewParameters(4)));
  Touch(folder_ / "2026-12-10_00-00-01_read.ign", "TORVANEX_KEY 60\nBIKE 3\n");
  Touch(folder_ / "2026-12-10_00-00-02_read.ign", "TORVANEX_KEY 61\nLIMITER 150\n");
  Touch(folder_ / "notes.txt");
  fs::create_directories(folder_ / "2026-12-11_00-00-00_read.ign");
  const std::vector<HistoryEntry> list = ListHistory(folder_);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].file, folder_ / "2026-12-10_00-00-02_read.ign");
  EXPECT_FALSE(list[0].bikeCode);  // no bike line
  EXPECT_FALSE(list[1].bikeCode);  // refused key
  EXPECT_EQ(list[2].name, (HistoryName{{2026, 12, 9, 9, 0, 0}, HistoryEvent::Program, 1}));
  EXPECT_EQ(list[2].bikeCode, 9);
  EXPECT_EQ(list[3].name.time, (LocalTime{2025, 1, 31, 23, 59, 59}));
  EXPECT_EQ(list[3].bikeCode, 4);
  EXPECT_TRUE(ListHistory(dir_ / "missing").empty());
}

TEST_F(HistoryTest, PrunesTheOldestBeyondTheLimitAndNothingElse) {
  fs::create_directories(folder_);
  // 500 entries already, one second apart, and files that only look alike.
  for (int i = 0; i < kHistoryLimit; ++i) {
    Touch(folder_ / *HistoryFileName({{2026, 1, 1, 0, i / 60, i % 60}, HistoryEvent::Read, 1}));
  }
  const std::vector<std::string> strangers = {"2020-01-01_00-00-00_read.ign.bak", "2020-01-01_00-00-00_READ.ign",
                                              "data.ign", "2020-01-01_00-00-00_read_01.ign"};
  for (const std::string& s : strangers) Touch(folder_ / s);
  const std::vector<std::string> before = Names();
  const std::string oldest = *HistoryFileName({{2026, 1, 1, 0, 0, 0}, HistoryEvent::Read, 1});
  ASSERT_TRUE(fs::exists(folder_ / oldest));

  const HistorySaveResult saved = SaveHistoryEntry(folder_, NewParameters(0), HistoryEvent::Program, kTime);
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(saved.removed, 1);
  EXPECT_FALSE(fs::exists(folder_ / oldest));
  EXPECT_EQ(ListHistory(folder_).size(), static_cast<std::size_t>(kHistoryLimit));
  for (const std::string& s : strangers) EXPECT_TRUE(fs::exists(folder_ / s)) << s;
  EXPECT_EQ(Names().size(), before.size());
}

TEST_F(HistoryTest, AnEntryOlderThanAllOthersIsKeptAndTheNextOldestGoes) {
  fs::create_directories(folder_);
  for (int i = 0; i < kHistoryLimit + 2; ++i) {
    Touch(folder_ / *HistoryFileName({{2026, 6, 1, 10, i / 60, i % 60}, HistoryEvent::Read, 1}));
  }
  // The clock went back: the new entry sorts before every other one.
  const LocalTime early{2026, 5, 1, 0, 0, 0};
  const HistorySaveResult saved = SaveHistoryEntry(folder_, NewParameters(0), HistoryEvent::Read, early);
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(saved.removed, 3);
  EXPECT_TRUE(fs::exists(saved.file));
  EXPECT_FALSE(fs::exists(folder_ / "2026-06-01_10-00-02_read.ign"));
  EXPECT_TRUE(fs::exists(folder_ / "2026-06-01_10-00-03_read.ign"));
  EXPECT_EQ(ListHistory(folder_).size(), static_cast<std::size_t>(kHistoryLimit));
}

TEST_F(HistoryTest, FailuresNameTheFolder) {
  fs::create_directories(dir_);
  Touch(dir_ / "history");  // a file where the folder should be
  const HistorySaveResult saved = SaveHistoryEntry(dir_ / "history", NewParameters(0), HistoryEvent::Read, kTime);
  EXPECT_FALSE(saved.ok);
  EXPECT_NE(saved.error.find("history"), std::string::npos) << saved.error;
  EXPECT_FALSE(SaveHistoryEntry(folder_, NewParameters(0), HistoryEvent::Read, {2026, 2, 0, 0, 0, 0}).ok);
}

}  // namespace
}  // namespace zelmo
