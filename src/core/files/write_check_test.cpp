// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/write_check.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/files/platform_test_support.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

class WriteCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zelmo_write_check_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  fs::path folder_;
};

TEST_F(WriteCheck, NewAndExistingFilesInAWritableFolderPassAndLeaveNothingBehind) {
  EXPECT_TRUE(CheckWritable(folder_ / "new.ign").ok);
  EXPECT_EQ(entries(), 0u);
  std::ofstream(folder_ / "old.ign") << "kept";
  EXPECT_TRUE(CheckWritable(folder_ / "old.ign").ok);
  EXPECT_EQ(entries(), 1u);
  std::ifstream in(folder_ / "old.ign");
  std::string content;
  in >> content;
  EXPECT_EQ(content, "kept");
}

TEST_F(WriteCheck, AMissingFolderOrAFolderInThePlaceOfTheFileFails) {
  const FileResult missing = CheckWritable(folder_ / "no" / "such" / "x.ign");
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("x.ign: cannot write: No such file or directory"), std::string::npos) << missing.error;
  fs::create_directory(folder_ / "dir.ign");
  const FileResult directory = CheckWritable(folder_ / "dir.ign");
  EXPECT_FALSE(directory.ok);
  EXPECT_NE(directory.error.find("dir.ign: cannot write: Is a directory"), std::string::npos) << directory.error;
}

TEST_F(WriteCheck, ALinkIsCheckedWhereItPoints) {
  if (!test::kPosixFileModes) GTEST_SKIP() << test::kNoPosixFileModes;
  fs::create_directory(folder_ / "real");
  fs::create_directory_symlink(folder_ / "real", folder_ / "via");
  fs::create_directory(folder_ / "shut");
  fs::create_symlink(folder_ / "shut" / "x.ign", folder_ / "into-shut.ign");
  std::ofstream(folder_ / "shut" / "x.ign") << "old";
  fs::create_symlink(folder_ / "real", folder_ / "shut" / "dir.ign");
  EXPECT_TRUE(CheckWritable(folder_ / "via" / "x.ign").ok);
  EXPECT_TRUE(CheckWritable(folder_ / "into-shut.ign").ok);
  // A link to a folder is a folder in the file's place.
  EXPECT_FALSE(CheckWritable(folder_ / "shut" / "dir.ign").ok);
}

TEST_F(WriteCheck, APipeIsNotOpened) {
  if (!test::kPosixFileModes) GTEST_SKIP() << test::kNoPosixFileModes;
  ASSERT_TRUE(test::MakePipe(folder_ / "fifo"));
  // Opening a pipe for writing without a reader would wait for one.
  EXPECT_TRUE(CheckWritable(folder_ / "fifo").ok);
}

TEST_F(WriteCheck, AReadOnlyFolderFails) {
  if (!test::kPosixFileModes) GTEST_SKIP() << test::kNoPosixFileModes;
  if (test::RunningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  const FileResult result = CheckWritable(folder_ / "x.ign");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("Permission denied"), std::string::npos) << result.error;
}

}  // namespace
}  // namespace zelmo
