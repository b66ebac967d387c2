// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/platform_folders.h"

#include <cstdlib>
#include <system_error>

#if defined(_WIN32)
#include <fstream>
#include <string_view>
#else
#include <unistd.h>
#endif

namespace zelmo {

namespace fs = std::filesystem;

#if defined(_WIN32)

std::optional<std::string> ProcessEnvironment(const char* name) {
  const std::string_view narrow(name);
  const std::wstring wideName(narrow.begin(), narrow.end());
  const wchar_t* value = _wgetenv(wideName.c_str());
  if (value == nullptr) return std::nullopt;
  const std::u8string text = fs::path(value).u8string();
  return std::string(text.begin(), text.end());
}

bool FolderWritable(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  // Permissions there say little; only a file made and taken away again tells.
  const fs::path probe = folder / ".zelmo-tci-write-test";
  const bool made = static_cast<bool>(std::ofstream(probe));
  fs::remove(probe, error);
  return made;
}

#else

std::optional<std::string> ProcessEnvironment(const char* name) {
  if (const char* value = std::getenv(name)) return std::string(value);
  return std::nullopt;
}

bool FolderWritable(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  return ::access(folder.c_str(), W_OK) == 0;
}

#endif

}  // namespace zelmo
