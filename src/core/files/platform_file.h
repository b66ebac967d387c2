// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few file operations the standard library has no portable form for:
// writing through a descriptor, flushing to the disk, and
// opening by a path with any characters in its name. One of the core's
// platform files: the only place in src/core/files that knows whether it runs
// on Windows or on POSIX.
#include <cstddef>
#include <cstdio>
#include <filesystem>

namespace zelmo::platform {

// Bytes written (possibly fewer than asked), -1 with errno set on failure.
long WriteSome(int fd, const char* data, std::size_t size);
int SyncToDisk(int fd);
int CloseFile(int fd);
// A replaced file keeps the permissions its owner gave it (POSIX only).
void KeepMode(int fd, const std::filesystem::path& target);
// Makes a rename in the folder durable (POSIX only; Windows has no such step).
void SyncFolder(const std::filesystem::path& folder);
// std::fopen by path; on Windows through the wide API, so names outside the
// ANSI code page open too. mode is plain ASCII such as "rb".
std::FILE* OpenStdioFile(const std::filesystem::path& path, const char* mode);

}  // namespace zelmo::platform
