// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the configuration folders need to know of the system the program runs
// on. One of the core's platform files: the only place in src/core/settings
// that knows whether it runs on Windows or on POSIX.
#include <filesystem>
#include <optional>
#include <string>

namespace zelmo {

enum class ConfigPlatform { Posix, Windows };

#if defined(_WIN32)
inline constexpr ConfigPlatform kThisPlatform = ConfigPlatform::Windows;
#else
inline constexpr ConfigPlatform kThisPlatform = ConfigPlatform::Posix;
#endif

// An environment variable of this process as UTF-8; nothing when it is not
// set. On Windows read through the wide API, so that a folder such as
// C:\Users\Jiří\AppData comes back whole.
std::optional<std::string> ProcessEnvironment(const char* name);

// Whether this user may create files in the folder.
bool FolderWritable(const std::filesystem::path& folder);

}  // namespace zelmo
