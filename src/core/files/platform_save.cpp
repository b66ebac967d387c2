// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/platform_save.h"

#include <cerrno>
#include <chrono>
#include <string>
#include <system_error>
#include <thread>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelmo::platform {

namespace fs = std::filesystem;

#if defined(_WIN32)

SaveDestination ResolveSaveTarget(const fs::path& requested) {
  std::error_code ec;
  SaveDestination d{requested};
  if (fs::is_symlink(requested, ec)) {
    const fs::path resolved = fs::weakly_canonical(requested, ec);
    if (!ec) d.target = resolved;
  }
  return d;
}
int OpenSaveTemporary(const fs::path& path, int& error) {
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
  error = fd < 0 ? errno : 0;
  return fd;
}
// An open file cannot be renamed over another here.
bool RenameWhileOpen() { return false; }
int OpenInPlace(const fs::path& path) { return _wopen(path.c_str(), _O_WRONLY | _O_BINARY); }

void RemoveIfAbandoned(const fs::path& file) {
  std::error_code ec;
  fs::remove(file, ec);
}

#else

static bool IsProcessDescriptor(const fs::path& p) {
  const std::string s = p.lexically_normal().string();
  return s.starts_with("/proc/") || s.starts_with("/dev/fd/");
}

// Follows the chain of links by hand: a link to a regular file is kept and
// its target replaced, a link into /proc (as /dev/stdout is) names an open
// descriptor, which only takes bytes written into it.
SaveDestination ResolveSaveTarget(const fs::path& requested) {
  SaveDestination d{requested};
  fs::path at = requested;
  for (int hop = 0; hop < 40; ++hop) {
    if (IsProcessDescriptor(at)) d.inPlace = true;
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::error_code ec;
    const fs::path link = fs::read_symlink(at, ec);
    if (ec) break;
    at = link.is_absolute() ? link : at.parent_path() / link;
  }
  struct stat st {};
  if (::stat(requested.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) d.inPlace = true;
  if (d.inPlace) return d;
  std::error_code ec;
  const fs::path resolved = fs::weakly_canonical(requested, ec);
  if (!ec && resolved != requested) d.target = resolved;
  return d;
}

static int OpenOnce(const fs::path& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
}

enum class Held { Usable, Gone, Foreign };

// What the locked `fd` is: still the file at `path`, alone and regular; or
// renamed away meanwhile by the save that held the lock before (another may
// have made a new one at `path`, which is not ours to touch); or the file at
// `path` but something that must never be written through (a second name of
// another file, a FIFO).
static Held Inspect(int fd, const fs::path& path) {
  struct stat mine {
  }, there{};
  if (::fstat(fd, &mine) != 0 || ::lstat(path.c_str(), &there) != 0) return Held::Gone;
  if (mine.st_dev != there.st_dev || mine.st_ino != there.st_ino) return Held::Gone;
  return S_ISREG(mine.st_mode) && mine.st_nlink == 1 ? Held::Usable : Held::Foreign;
}

// Opens the target's temporary file and holds its lock until it is closed,
// so two saves of one file never write into the same temporary file. Waits a
// few seconds for a save of the same file by another process.
int OpenSaveTemporary(const fs::path& path, int& error) {
  for (int attempt = 0; attempt < 300; ++attempt) {
    int fd = OpenOnce(path);
    error = errno;
    if (fd < 0 && (error == ELOOP || error == EACCES || error == ENXIO || error == EISDIR)) {
      // Something else took the name: a link, a file of another owner.
      if (::unlink(path.c_str()) == 0) {
        fd = OpenOnce(path);
        error = errno;
      }
    }
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
      ::close(fd);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    if (const Held held = Inspect(fd, path); held != Held::Usable) {
      // Unlinked while its lock is held, so no other save is writing it.
      if (held == Held::Foreign) ::unlink(path.c_str());
      ::close(fd);
      continue;
    }
    if (::ftruncate(fd, 0) != 0) {
      error = errno;
      ::close(fd);
      return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
  }
  error = EBUSY;
  return -1;
}
// The lock on the temporary file then covers the rename: a save of the same
// file waiting for it starts only after it.
bool RenameWhileOpen() { return true; }
int OpenInPlace(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC); }

// A running save holds the lock; a file nobody locks was left by a save that
// was cut off.
void RemoveIfAbandoned(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat mine {
  }, there{};
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0 && ::lstat(file.c_str(), &there) == 0 &&
      mine.st_dev == there.st_dev && mine.st_ino == there.st_ino) {
    ::unlink(file.c_str());
  }
  ::close(fd);
}

#endif

}  // namespace zelmo::platform
