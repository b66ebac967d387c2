// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the settings file, the shadow copy and the test-mode marker live: a
// per-user configuration folder, or the folder ZELMO_TCI_CONFIG_DIR names.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/settings/platform_folders.h"

namespace zelmo {

inline constexpr const char* kSettingsFileName = "Zelmo_TCI.ini";
inline constexpr const char* kShadowFileName = "_Zelmo_TCI.ini";
inline constexpr const char* kMarkerFileName = "test_brelot.txt";

// Looks up an environment variable (UTF-8); nothing when it is not set.
// ProcessEnvironment is this process's.
using EnvironmentGetter = std::function<std::optional<std::string>(const char* name)>;

struct ConfigFiles {
  std::filesystem::path folder;
  std::filesystem::path settingsFile;
  std::filesystem::path shadowFile;
  std::filesystem::path markerFile;
  // Where earlier Windows versions kept them; read only, and only when the
  // file in the folder above is missing. Empty elsewhere.
  std::filesystem::path legacySettingsFile;
  std::filesystem::path legacyShadowFile;
  std::filesystem::path legacyMarkerFile;
  // The history of transfers and the offered folder of live-value recordings:
  // in the per-user data folder, or in the folder ZELMO_TCI_CONFIG_DIR names.
  std::filesystem::path historyFolder;
  std::filesystem::path recordingsFolder;
  // Where earlier versions kept the history (beside the settings file); its
  // entries are moved to historyFolder. Empty when it is the same folder.
  std::filesystem::path legacyHistoryFolder;
};

// ZELMO_TCI_CONFIG_DIR when set, holding the data folders too; else on POSIX $XDG_CONFIG_HOME/zelmo-tci
// (an absolute XDG_CONFIG_HOME only) or ~/.config/zelmo-tci, on Windows
// %APPDATA%\zelmo-tci. Nothing when the environment names no folder at all.
std::optional<ConfigFiles> FindConfigFiles(const EnvironmentGetter& environment,
                                           ConfigPlatform platform = kThisPlatform);

// The per-user data folder: on POSIX $XDG_DATA_HOME/zelmo-tci (an absolute
// XDG_DATA_HOME only) or ~/.local/share/zelmo-tci, on Windows
// %LOCALAPPDATA%\zelmo-tci. Nothing when the environment names no folder.
std::optional<std::filesystem::path> FindDataFolder(const EnvironmentGetter& environment,
                                                    ConfigPlatform platform = kThisPlatform);

using WritableCheck = std::function<bool(const std::filesystem::path& folder)>;

inline constexpr const char* kExeDirFileName = "data.ign";

// The file of the "exe dir" commands: data.ign in the program's folder, or,
// when that folder cannot be written (an installed program), data.ign in the
// per-user data folder, which is created then. Stays in the program's folder
// when the environment names no data folder.
std::filesystem::path ExeDirFile(const std::filesystem::path& programFolder, const EnvironmentGetter& environment,
                                 const WritableCheck& writable = FolderWritable,
                                 ConfigPlatform platform = kThisPlatform);

}  // namespace zelmo
