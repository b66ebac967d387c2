// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/safe_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

#include "core/files/platform_file.h"
#include "core/files/platform_save.h"
#include "core/files/utf8_path.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSaveSuffix = ".zelmo-save";

std::string Reason(int error) { return std::generic_category().message(error); }

std::string Describe(const fs::path& path, std::string_view what, const std::string& reason) {
  return Utf8FromPath(path) + ": " + std::string(what) + ": " + reason;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// One fixed name per target: a save killed half way leaves at most this one
// file behind, and the next save of the target takes it over.
fs::path TemporaryName(const fs::path& target) {
  // Joined as paths, not as text: the name may hold letters that the
  // platform's narrow text cannot.
  fs::path name(".");
  name += target.filename();
  name += kSaveSuffix;
  return target.parent_path() / name;
}

using platform::CloseFile;
using platform::KeepMode;
using platform::OpenInPlace;
using platform::RemoveIfAbandoned;
using platform::SyncFolder;
using platform::SyncToDisk;
using platform::WriteSome;

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

}  // namespace

void RemoveAbandonedSaves(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsTemporaryName(Utf8FromPath(it->path().filename()))) RemoveIfAbandoned(it->path());
  }
}

ReadResult ReadWholeFile(const fs::path& path, std::size_t maxSize) {
  ReadResult result;
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(platform::OpenStdioFile(path, "rb"));
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
  const platform::SaveDestination destination = platform::ResolveSaveTarget(requested);
  const fs::path& target = destination.target;
  if (destination.inPlace) return WriteInPlace(requested, target, content);

  const fs::path temp = TemporaryName(target);
  int openError = 0;
  int fd = platform::OpenSaveTemporary(temp, openError);
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

  if (!platform::RenameWhileOpen()) {
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
