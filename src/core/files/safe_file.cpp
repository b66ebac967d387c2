#include "core/files/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

#include "core/files/platform_file.h"
#include "core/files/utf8_path.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

std::string Reason(int error) { return std::generic_category().message(error); }

std::string Describe(const fs::path& path, std::string_view what, const std::string& reason) {
  return Utf8FromPath(path) + ": " + std::string(what) + ": " + reason;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

using platform::CloseFile;
using platform::KeepMode;
using platform::OpenExclusive;
using platform::SyncFolder;
using platform::SyncToDisk;
using platform::WriteSome;

fs::path TemporaryName(const fs::path& target, std::mt19937& random) {
  // Joined as paths, not as text: the name may hold letters that the
  // platform's narrow text cannot.
  fs::path name(".");
  name += target.filename();
  name += ".tmp" + std::to_string(random() % 1000000000u);
  return target.parent_path() / name;
}

}  // namespace

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
  std::error_code ec;
  // Saving through a link replaces the file it points to, not the link.
  fs::path target = requested;
  if (fs::is_symlink(requested, ec)) {
    const fs::path resolved = fs::weakly_canonical(requested, ec);
    if (!ec) target = resolved;
  }

  std::mt19937 random(std::random_device{}());
  fs::path temp;
  int fd = -1;
  int openError = 0;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = TemporaryName(target, random);
    fd = OpenExclusive(temp);
    openError = errno;
    if (fd < 0 && openError != EEXIST) break;
  }
  if (fd < 0) return {false, Describe(requested, "cannot create a temporary file beside it", Reason(openError))};
  KeepMode(fd, target);

  auto fail = [&](std::string_view what, int error) {
    if (fd >= 0) CloseFile(fd);
    fs::remove(temp, ec);
    return FileResult{false, Describe(requested, what, Reason(error))};
  };

  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const long n = WriteSome(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write", errno);
    }
    if (n == 0) return fail("cannot write", ENOSPC);
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  if (SyncToDisk(fd) != 0) return fail("cannot flush to disk", errno);
  const int closed = CloseFile(fd);
  fd = -1;
  if (closed != 0) return fail("cannot close", errno);

  fs::rename(temp, target, ec);
  if (ec) {
    const std::string reason = ec.message();
    fs::remove(temp, ec);
    return {false, Describe(requested, "cannot replace", reason)};
  }
  SyncFolder(target.parent_path());
  return {};
}

}  // namespace zelmo
