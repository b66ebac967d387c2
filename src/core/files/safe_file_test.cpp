#include "core/files/safe_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "core/files/size_limit_test_support.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zelmo_safe_file_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  int EntriesIn(const fs::path& p) const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(p)) ++n;
    return n;
  }
  fs::path dir_;
};

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

TEST_F(SafeFileTest, ReplacingKeepsPermissionsAndFollowsLinks) {
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
  const fs::path file = dir_ / "a.ign";
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  // Root writes anywhere, so the save runs in a child that gives root up.
  const bool root = ::geteuid() == 0;
  if (!root) fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    const FileResult result = WriteFileAtomically(file, "new");
    ::_exit(!result.ok && result.error.find("Permission denied") != std::string::npos ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
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
  const ReadResult endless = ReadWholeFile("/dev/zero", 100000);
  EXPECT_FALSE(endless.ok);
  EXPECT_FALSE(endless.missing);
}

}  // namespace
}  // namespace zelmo
