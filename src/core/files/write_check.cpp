// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/write_check.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

namespace zelmo {
namespace {

namespace fs = std::filesystem;

FileResult Failure(const fs::path& path, int error) {
  return {false, path.string() + ": cannot write: " + std::generic_category().message(error)};
}

}  // namespace

FileResult CheckWritable(const fs::path& requested) {
  std::error_code ec;
  fs::path target = requested;
  if (fs::is_symlink(requested, ec)) {
    const fs::path resolved = fs::weakly_canonical(requested, ec);
    if (!ec) target = resolved;
  }
  const fs::file_status status = fs::status(target, ec);
  if (fs::is_directory(status)) return Failure(requested, EISDIR);
  if (fs::exists(status) && !fs::is_regular_file(status)) return {};

  const fs::path folder = target.parent_path();
  std::mt19937 random(std::random_device{}());
  for (int attempt = 0; attempt < 16; ++attempt) {
    const fs::path probe =
        folder / fs::path("." + target.filename().string() + ".probe" + std::to_string(random() % 1000000000u));
    errno = 0;
    // "x": created here or not at all, so nothing of anyone else's is touched.
    std::FILE* file = std::fopen(probe.string().c_str(), "wbx");
    if (file != nullptr) {
      std::fclose(file);
      fs::remove(probe, ec);
      return {};
    }
    if (errno != EEXIST) return Failure(requested, errno != 0 ? errno : EACCES);
  }
  return Failure(requested, EEXIST);
}

}  // namespace zelmo
