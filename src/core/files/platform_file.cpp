// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/platform_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#if defined(_WIN32)
#include <io.h>

#include <string>
#else
#include <unistd.h>
#endif

namespace zelmo::platform {

namespace fs = std::filesystem;

#if defined(_WIN32)

long WriteSome(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(size > 0x40000000u ? 0x40000000u : size));
}
int SyncToDisk(int fd) { return _commit(fd); }
int CloseFile(int fd) { return _close(fd); }
void KeepMode(int, const fs::path&) {}
void SyncFolder(const fs::path&) {}
std::FILE* OpenStdioFile(const fs::path& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
}

#else

long WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int SyncToDisk(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
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
std::FILE* OpenStdioFile(const fs::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

#endif

}  // namespace zelmo::platform
