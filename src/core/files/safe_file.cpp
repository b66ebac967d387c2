#include "core/files/safe_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
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

namespace zelmo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSaveSuffix = ".zelmo-save";

std::string Reason(int error) { return std::generic_category().message(error); }

std::string Describe(const fs::path& path, std::string_view what, const std::string& reason) {
  return path.string() + ": " + std::string(what) + ": " + reason;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// One fixed name per target: a save killed half way leaves at most this one
// file behind, and the next save of the target takes it over.
fs::path TemporaryName(const fs::path& target) {
  return target.parent_path() / fs::path("." + target.filename().string() + std::string(kSaveSuffix));
}

#if defined(_WIN32)
struct Destination {
  fs::path target;
  bool inPlace = false;
};
Destination Resolve(const fs::path& requested) {
  std::error_code ec;
  Destination d{requested};
  if (fs::is_symlink(requested, ec)) {
    const fs::path resolved = fs::weakly_canonical(requested, ec);
    if (!ec) d.target = resolved;
  }
  return d;
}
int OpenTemporary(const fs::path& path, int& error) {
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
  error = fd < 0 ? errno : 0;
  return fd;
}
// An open file cannot be renamed over another here.
constexpr bool kRenameWhileOpen = false;
int OpenInPlace(const fs::path& path) { return _wopen(path.c_str(), _O_WRONLY | _O_BINARY); }
long WriteSome(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(size > 0x40000000u ? 0x40000000u : size));
}
int SyncToDisk(int fd) { return _commit(fd); }
int CloseFile(int fd) { return _close(fd); }
void KeepMode(int, const fs::path&) {}
void SyncFolder(const fs::path&) {}
#else
struct Destination {
  fs::path target;
  // Not a regular file (a FIFO, a terminal, a device) or a descriptor of a
  // process: written into where it is, never replaced by a file.
  bool inPlace = false;
};

bool IsProcessDescriptor(const fs::path& p) {
  const std::string s = p.lexically_normal().string();
  return s.starts_with("/proc/") || s.starts_with("/dev/fd/");
}

// Follows the chain of links by hand: a link to a regular file is kept and
// its target replaced, a link into /proc (as /dev/stdout is) names an open
// descriptor, which only takes bytes written into it.
Destination Resolve(const fs::path& requested) {
  Destination d{requested};
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

int OpenOnce(const fs::path& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
}

enum class Held { Usable, Gone, Foreign };

// What the locked `fd` is: still the file at `path`, alone and regular; or
// renamed away meanwhile by the save that held the lock before (another may
// have made a new one at `path`, which is not ours to touch); or the file at
// `path` but something that must never be written through (a second name of
// another file, a FIFO).
Held Inspect(int fd, const fs::path& path) {
  struct stat mine {
  }, there{};
  if (::fstat(fd, &mine) != 0 || ::lstat(path.c_str(), &there) != 0) return Held::Gone;
  if (mine.st_dev != there.st_dev || mine.st_ino != there.st_ino) return Held::Gone;
  return S_ISREG(mine.st_mode) && mine.st_nlink == 1 ? Held::Usable : Held::Foreign;
}

// Opens the target's temporary file and holds its lock until it is closed,
// so two saves of one file never write into the same temporary file. Waits a
// few seconds for a save of the same file by another process.
int OpenTemporary(const fs::path& path, int& error) {
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
constexpr bool kRenameWhileOpen = true;
int OpenInPlace(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC); }
long WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int SyncToDisk(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
// A replaced file keeps the permissions its owner gave it.
void KeepMode(int fd, const fs::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
}
// The rename itself reaches the disk only with the folder.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}
#endif

// Every byte, or the reason it stopped.
int WriteAll(int fd, std::string_view content) {
  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const long n = WriteSome(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return ENOSPC;
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return 0;
}

FileResult WriteInPlace(const fs::path& requested, const fs::path& target, std::string_view content) {
  const int fd = OpenInPlace(target);
  if (fd < 0) return {false, Describe(requested, "cannot open", Reason(errno))};
  if (const int error = WriteAll(fd, content); error != 0) {
    CloseFile(fd);
    return {false, Describe(requested, "cannot write", Reason(error))};
  }
  if (CloseFile(fd) != 0) return {false, Describe(requested, "cannot close", Reason(errno))};
  return {};
}

bool IsTemporaryName(const std::string& name) {
  return name.size() > kSaveSuffix.size() + 1 && name.front() == '.' && name.ends_with(kSaveSuffix);
}

#if defined(_WIN32)
void RemoveIfAbandoned(const fs::path& file) {
  std::error_code ec;
  fs::remove(file, ec);
}
#else
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

}  // namespace

void RemoveAbandonedSaves(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsTemporaryName(it->path().filename().string())) RemoveIfAbandoned(it->path());
  }
}

ReadResult ReadWholeFile(const fs::path& path, std::size_t maxSize) {
  ReadResult result;
  errno = 0;
#if defined(_WIN32)
  std::unique_ptr<std::FILE, FileCloser> file(_wfopen(path.c_str(), L"rb"));
#else
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
#endif
  if (!file) {
    const int error = errno;
    result.missing = error == ENOENT;
    result.error = Describe(path, "cannot open", Reason(error));
    return result;
  }
  char buffer[16384];
  while (true) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    if (result.content.size() + n > maxSize) {
      result.content.clear();
      result.error = Describe(path, "refused", "larger than " + std::to_string(maxSize) + " bytes");
      return result;
    }
    result.content.append(buffer, n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    const int error = errno != 0 ? errno : EIO;
    result.content.clear();
    result.error = Describe(path, "cannot read", Reason(error));
    return result;
  }
  result.ok = true;
  return result;
}

FileResult WriteFileAtomically(const fs::path& requested, std::string_view content) {
  const Destination destination = Resolve(requested);
  const fs::path& target = destination.target;
  if (destination.inPlace) return WriteInPlace(requested, target, content);

  const fs::path temp = TemporaryName(target);
  int openError = 0;
  int fd = OpenTemporary(temp, openError);
  if (fd < 0) return {false, Describe(requested, "cannot create a temporary file beside it", Reason(openError))};
  KeepMode(fd, target);

  std::error_code ec;
  auto fail = [&](std::string_view what, const std::string& reason) {
    // Removed while the lock is still held, so no other save is using it.
    std::error_code ignored;
    fs::remove(temp, ignored);
    if (fd >= 0) CloseFile(fd);
    return FileResult{false, Describe(requested, what, reason)};
  };

  if (const int error = WriteAll(fd, content); error != 0) return fail("cannot write", Reason(error));
  if (SyncToDisk(fd) != 0) return fail("cannot flush to disk", Reason(errno));

  if (!kRenameWhileOpen) {
    const int closed = CloseFile(fd);
    fd = -1;
    if (closed != 0) return fail("cannot close", Reason(errno));
  }
  fs::rename(temp, target, ec);
  if (ec) return fail("cannot replace", ec.message());
  if (fd >= 0 && CloseFile(fd) != 0) return {false, Describe(requested, "cannot close", Reason(errno))};
  SyncFolder(target.parent_path());
  return {};
}

}  // namespace zelmo
