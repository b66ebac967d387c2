// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/safe_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/files/platform_test_support.h"
#include "core/files/scratch_folder_test_support.h"
#include "core/files/utf8_path.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

using SafeFileTest = test::ScratchFolderTest;

TEST_F(SafeFileTest, WritesAndReplacesWithoutLeavingTemporaryFiles) {
  const fs::path file = dir_ / "a.ign";
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  ASSERT_TRUE(WriteFileAtomically(file, std::string("new\r\n\0x", 6)).ok);
  EXPECT_EQ(Slurp(file), std::string("new\r\n\0x", 6));
  EXPECT_EQ(EntriesIn(dir_), 1);
  const ReadResult read = ReadWholeFile(file);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.content, std::string("new\r\n\0x", 6));
}

// Czech and Cyrillic letters, which no single ANSI code page of Windows holds.
TEST_F(SafeFileTest, NamesBeyondAsciiAreSavedReplacedAndRead) {
  const fs::path file = dir_ / PathFromUtf8("Zapalov\u00e1n\u00ed Ji\u0159\u00ed \u0416.ign");
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  ASSERT_TRUE(WriteFileAtomically(file, "new\r\n").ok);
  EXPECT_EQ(ReadWholeFile(file).content, "new\r\n");
  ASSERT_EQ(EntriesIn(dir_), 1);
  EXPECT_EQ(Utf8FromPath(fs::directory_iterator(dir_)->path().filename()),
            "Zapalov\u00e1n\u00ed Ji\u0159\u00ed \u0416.ign");

  const FileResult missing = WriteFileAtomically(dir_ / PathFromUtf8("\u010d") / "x.ign", "x");
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("\u010d"), std::string::npos) << missing.error;
}

TEST_F(SafeFileTest, ReplacingKeepsPermissionsAndFollowsLinks) {
  if (!test::kPosixFileModes) GTEST_SKIP() << test::kNoPosixFileModes;
  const fs::path file = dir_ / "a.ign";
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(file, dir_ / "link.ign");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "link.ign", "new").ok);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.ign"));
  EXPECT_EQ(Slurp(file), "new");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SafeFileTest, MissingFolderIsReportedWithFileAndReason) {
  const fs::path file = dir_ / "no" / "such" / "a.ign";
  const FileResult result = WriteFileAtomically(file, "x");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find(file.string()), std::string::npos) << result.error;
  EXPECT_NE(result.error.find("No such file or directory"), std::string::npos) << result.error;
}

TEST_F(SafeFileTest, FailedReplaceLeavesOldContentAndNoTemporaryFile) {
  // A folder in the way of the target makes the final rename fail.
  const fs::path target = dir_ / "busy";
  fs::create_directories(target / "inside");
  const FileResult result = WriteFileAtomically(target, "x");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("busy"), std::string::npos) << result.error;
  EXPECT_TRUE(fs::is_directory(target / "inside"));
  EXPECT_EQ(EntriesIn(dir_), 1);
}

TEST_F(SafeFileTest, WriteFailingHalfwayKeepsTheOldFile) {
  if (!test::kChildLimits) GTEST_SKIP() << test::kNoChildLimits;
  const fs::path file = dir_ / "a.ign";
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  // A child limited to 10-byte files sees its write fail part way.
  EXPECT_TRUE(test::InChildWithFileSizeLimit(10, [&] {
    const FileResult result = WriteFileAtomically(file, std::string(100, 'n'));
    return !result.ok && result.error.find("cannot write") != std::string::npos;
  }));
  EXPECT_EQ(Slurp(file), "old");
  EXPECT_EQ(EntriesIn(dir_), 1);
}

TEST_F(SafeFileTest, ReadOnlyFolderKeepsTheOldFile) {
  if (!test::kChildLimits || !test::kPosixFileModes) GTEST_SKIP() << test::kNoPosixFileModes;
  const fs::path file = dir_ / "a.ign";
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  // Nobody, root given up included, may write in a folder of mode 0555.
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  EXPECT_TRUE(test::InChildWithoutRoot([&] {
    const FileResult result = WriteFileAtomically(file, "new");
    return !result.ok && result.error.find("Permission denied") != std::string::npos;
  }));
  EXPECT_EQ(Slurp(file), "old");
  EXPECT_EQ(EntriesIn(dir_), 1);
}

TEST_F(SafeFileTest, ReadingReportsMissingUnreadableAndOversizedFiles) {
  const ReadResult missing = ReadWholeFile(dir_ / "none");
  EXPECT_FALSE(missing.ok);
  EXPECT_TRUE(missing.missing);
  EXPECT_NE(missing.error.find("none"), std::string::npos);

  const ReadResult folder = ReadWholeFile(dir_);
  EXPECT_FALSE(folder.ok);
  EXPECT_FALSE(folder.missing);

  ASSERT_TRUE(WriteFileAtomically(dir_ / "big", std::string(40000, 'x')).ok);
  const ReadResult big = ReadWholeFile(dir_ / "big", 39999);
  EXPECT_FALSE(big.ok);
  EXPECT_TRUE(big.content.empty());
  EXPECT_NE(big.error.find("larger than 39999 bytes"), std::string::npos) << big.error;
  EXPECT_TRUE(ReadWholeFile(dir_ / "big", 40000).ok);
}

TEST_F(SafeFileTest, EndlessDeviceIsCutAtTheCap) {
  if (!fs::exists("/dev/zero")) GTEST_SKIP() << "no endless device /dev/zero here";
  const ReadResult endless = ReadWholeFile("/dev/zero", 100000);
  EXPECT_FALSE(endless.ok);
  EXPECT_FALSE(endless.missing);
}

}  // namespace
}  // namespace zelmo
