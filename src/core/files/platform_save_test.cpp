// SPDX-License-Identifier: GPL-3.0-or-later
// The save's behaviour that rests on POSIX: links followed by hand, pipes,
// devices and process descriptors written in place, the temporary file's
// lock between processes, killed saves. Windows has neither fork() nor these
// kinds of files; its side of the save is tested through safe_file_test.
#include "core/files/platform_save.h"

#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "core/files/safe_file.h"
#include "core/files/scratch_folder_test_support.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

using PlatformSaveTest = test::ScratchFolderTest;

TEST_F(PlatformSaveTest, ALinkChainKeepsItsLinksAndTheTemporaryFileGoesBesideTheTarget) {
  fs::create_directories(dir_ / "real");
  fs::create_directories(dir_ / "links");
  const fs::path file = dir_ / "real" / "a.ign";
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  fs::create_symlink("../real/a.ign", dir_ / "links" / "one");
  fs::create_symlink("one", dir_ / "links" / "two");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "links" / "two", "new").ok);
  EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "one"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "two"));
  EXPECT_EQ(Slurp(file), "new");
  EXPECT_EQ(EntriesIn(dir_ / "real"), 1);
  EXPECT_EQ(EntriesIn(dir_ / "links"), 2);
}

// Reads everything a FIFO gets until its writer closes it.
std::string DrainFifo(const fs::path& fifo) {
  const int fd = ::open(fifo.c_str(), O_RDONLY);
  std::string got;
  char buffer[256];
  for (long n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) got.append(buffer, static_cast<std::size_t>(n));
  if (fd >= 0) ::close(fd);
  return got;
}

TEST_F(PlatformSaveTest, FifosAndLinksToThemAreWrittenIntoInPlace) {
  const fs::path fifo = dir_ / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, dir_ / "link");
  for (const fs::path& through : {fifo, dir_ / "link"}) {
    std::string got;
    std::thread reader([&] { got = DrainFifo(fifo); });
    const FileResult result = WriteFileAtomically(through, "bytes\n");
    reader.join();
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(got, "bytes\n") << through;
    EXPECT_TRUE(fs::is_fifo(fifo));
  }
  EXPECT_TRUE(fs::is_symlink(dir_ / "link"));
  EXPECT_EQ(EntriesIn(dir_), 2);
}

TEST_F(PlatformSaveTest, DescriptorsOfTheProcessAreWrittenIntoNotReplaced) {
  // As /dev/stdout is: a link to /proc/self/fd/N, here a pipe and a file.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const fs::path toPipe = dir_ / "stdout-pipe";
  fs::create_symlink("/proc/self/fd/" + std::to_string(ends[1]), toPipe);
  EXPECT_TRUE(WriteFileAtomically(toPipe, "piped").ok);
  char buffer[16] = {};
  EXPECT_EQ(::read(ends[0], buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(buffer), "piped");
  ::close(ends[0]);
  ::close(ends[1]);

  const fs::path file = dir_ / "out.txt";
  ASSERT_TRUE(WriteFileAtomically(file, "longer old text").ok);
  const int fd = ::open(file.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  const fs::path toFile = dir_ / "stdout-file";
  fs::create_symlink("/proc/self/fd/" + std::to_string(fd), toFile);
  struct stat before {
  }, after{};
  ::fstat(fd, &before);
  EXPECT_TRUE(WriteFileAtomically(toFile, "new").ok);
  ::stat(file.c_str(), &after);
  ::close(fd);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_EQ(Slurp(file), "new");
  EXPECT_TRUE(fs::is_symlink(toFile));
}

TEST_F(PlatformSaveTest, ADeviceIsWrittenAndKept) {
  EXPECT_TRUE(WriteFileAtomically("/dev/null", "gone").ok);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(PlatformSaveTest, KilledSavesLeaveOneFixedTemporaryFileTheNextSaveRemoves) {
  const fs::path file = dir_ / "out.ign";
  const std::string big(1 << 20, 'k');
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) WriteFileAtomically(file, big);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_LE(EntriesIn(dir_), 2);
    if (fs::exists(file)) {
      EXPECT_EQ(fs::file_size(file), big.size());
    }
  }
  ASSERT_TRUE(WriteFileAtomically(file, "last").ok);
  EXPECT_EQ(Slurp(file), "last");
  EXPECT_EQ(EntriesIn(dir_), 1);
}

TEST_F(PlatformSaveTest, ALeftTemporaryFileIsTakenOverNotFollowed) {
  const fs::path file = dir_ / "a.ign";
  const fs::path temp = dir_ / ".a.ign.zelmo-save";
  ASSERT_TRUE(WriteFileAtomically(dir_ / "victim", "keep").ok);
  // A link or a second name of another file in its place is never written through.
  fs::create_symlink(dir_ / "victim", temp);
  ASSERT_TRUE(WriteFileAtomically(file, "one").ok);
  fs::create_hard_link(dir_ / "victim", temp);
  ASSERT_TRUE(WriteFileAtomically(file, "two").ok);
  ASSERT_EQ(::mkfifo(temp.c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileAtomically(file, "three").ok);
  EXPECT_EQ(Slurp(file), "three");
  EXPECT_EQ(Slurp(dir_ / "victim"), "keep");
  EXPECT_EQ(EntriesIn(dir_), 2);
}

TEST_F(PlatformSaveTest, SavesOfOneFileFromTwoProcessesNeverMix) {
  const fs::path file = dir_ / "shared.ign";
  const std::string a(200000, 'a');
  const std::string b(300000, 'b');
  pid_t children[2];
  for (int i = 0; i < 2; ++i) {
    children[i] = ::fork();
    ASSERT_GE(children[i], 0);
    if (children[i] == 0) {
      bool ok = true;
      for (int n = 0; n < 40; ++n) ok = WriteFileAtomically(file, i == 0 ? a : b).ok && ok;
      ::_exit(ok ? 0 : 1);
    }
  }
  for (int look = 0; look < 200; ++look) {
    const ReadResult now = ReadWholeFile(file);
    if (now.ok) {
      EXPECT_TRUE(now.content == a || now.content == b) << now.content.size();
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(EntriesIn(dir_), 1);
}

TEST_F(PlatformSaveTest, AbandonedTemporaryFilesGoRunningSavesStay) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / ".left.ign.zelmo-save", "cut off").ok);
  ASSERT_TRUE(WriteFileAtomically(dir_ / ".busy.ign.zelmo-save", "saving").ok);
  ASSERT_TRUE(WriteFileAtomically(dir_ / "keep.zelmo-save", "not ours").ok);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  // flock locks are shared within a process, so the running save is a child.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = ::open((dir_ / ".busy.ign.zelmo-save").c_str(), O_RDONLY);
    ::flock(fd, LOCK_EX);
    if (::write(ready[1], "x", 1) != 1) ::_exit(1);
    ::pause();
    ::_exit(0);
  }
  char c;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  RemoveAbandonedSaves(dir_);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  EXPECT_FALSE(fs::exists(dir_ / ".left.ign.zelmo-save"));
  EXPECT_TRUE(fs::exists(dir_ / ".busy.ign.zelmo-save"));
  EXPECT_TRUE(fs::exists(dir_ / "keep.zelmo-save"));
}

}  // namespace
}  // namespace zelmo

#endif
