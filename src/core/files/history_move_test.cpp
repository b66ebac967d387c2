// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/history_move.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/files/safe_file.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

class HistoryMove : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zelmo_history_move_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    old_ = dir_ / "config" / "history";
    new_ = dir_ / "data" / "zelmo-tci" / "history";
    fs::create_directories(old_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static void Put(const fs::path& file, const std::string& content) {
    std::ofstream(file, std::ios::binary) << content;
  }
  static std::string Get(const fs::path& file) { return ReadWholeFile(file).content; }
  static std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    if (!fs::exists(folder)) return names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::ranges::sort(names);
    return names;
  }

  fs::path dir_;
  fs::path old_;
  fs::path new_;
};

constexpr const char* kRead = "2026-12-09_14-03-22_read.ign";
constexpr const char* kProgram = "2026-12-09_14-03-22_program_2.ign";

TEST_F(HistoryMove, EntriesMoveUntouchedOnceAndTheOldFolderGoes) {
  Put(old_ / kRead, "TORVANEX_KEY 61\nread\n");
  Put(old_ / kProgram, "TORVANEX_KEY 61\nprogram\n");
  const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
  fs::last_write_time(old_ / kRead, stamp);

  const HistoryMoveResult first = MoveHistory(old_, new_);
  EXPECT_EQ(first.moved, 2);
  EXPECT_TRUE(first.kept.empty());
  EXPECT_EQ(Names(new_), (std::vector<std::string>{kProgram, kRead}));
  EXPECT_EQ(Get(new_ / kRead), "TORVANEX_KEY 61\nread\n");
  EXPECT_EQ(Get(new_ / kProgram), "TORVANEX_KEY 61\nprogram\n");
  // Kept to within the coarsest clock of a file system (two seconds), far
  // from the moment of the move a month later.
  const auto kept = fs::last_write_time(new_ / kRead) - stamp;
  EXPECT_LE(std::chrono::abs(std::chrono::duration_cast<std::chrono::seconds>(kept)).count(), 2);
  EXPECT_FALSE(fs::exists(old_));

  const HistoryMoveResult again = MoveHistory(old_, new_);
  EXPECT_EQ(again.moved, 0);
  EXPECT_TRUE(again.kept.empty());
  EXPECT_EQ(Names(new_), (std::vector<std::string>{kProgram, kRead}));
}

TEST_F(HistoryMove, NothingIsOverwrittenAndOtherFilesStay) {
  fs::create_directories(new_);
  Put(old_ / kRead, "old");
  Put(new_ / kRead, "new");
  Put(old_ / kProgram, "same");
  Put(new_ / kProgram, "same");  // a move that stopped before the old file went
  Put(old_ / "notes.txt", "mine");

  const HistoryMoveResult result = MoveHistory(old_, new_);
  EXPECT_EQ(result.moved, 1);
  ASSERT_EQ(result.kept.size(), 1u);
  EXPECT_NE(result.kept[0].find(kRead), std::string::npos) << result.kept[0];
  EXPECT_EQ(Get(old_ / kRead), "old");
  EXPECT_EQ(Get(new_ / kRead), "new");
  EXPECT_EQ(Names(old_), (std::vector<std::string>{kRead, "notes.txt"}));
  EXPECT_EQ(Names(new_), (std::vector<std::string>{kProgram, kRead}));
}

TEST_F(HistoryMove, AFolderThatCannotBeMadeKeepsEverything) {
  Put(old_ / kRead, "old");
  fs::create_directories(new_.parent_path());
  Put(new_, "a file where the folder should be");

  const HistoryMoveResult result = MoveHistory(old_, new_);
  EXPECT_EQ(result.moved, 0);
  ASSERT_EQ(result.kept.size(), 1u);
  EXPECT_EQ(Get(old_ / kRead), "old");

  EXPECT_EQ(MoveHistory(dir_ / "none", new_).kept.size(), 0u) << "no old folder, nothing to do";
  EXPECT_EQ(MoveHistory(old_, old_).moved, 0) << "the same folder";
  EXPECT_EQ(Get(old_ / kRead), "old");
}

}  // namespace
}  // namespace zelmo
