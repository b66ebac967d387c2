// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/config_dir.h"

#include <system_error>

#include "core/files/utf8_path.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "zelmo-tci";
constexpr const char* kHistoryName = "history";
constexpr const char* kRecordingsName = "recordings";

std::optional<std::string> NonEmpty(const EnvironmentGetter& environment, const char* name) {
  auto value = environment(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

std::optional<fs::path> AbsoluteXdg(const EnvironmentGetter& environment, const char* name) {
  if (auto xdg = NonEmpty(environment, name); xdg && xdg->front() == '/') return PathFromUtf8(*xdg);
  return std::nullopt;
}

ConfigFiles FilesIn(const fs::path& folder) {
  ConfigFiles files;
  files.folder = folder;
  files.settingsFile = folder / kSettingsFileName;
  files.shadowFile = folder / kShadowFileName;
  files.markerFile = folder / kMarkerFileName;
  files.historyFolder = folder / kHistoryName;
  files.recordingsFolder = folder / kRecordingsName;
  return files;
}

std::optional<fs::path> UserFolder(const EnvironmentGetter& environment, ConfigPlatform platform) {
  if (platform == ConfigPlatform::Windows) {
    if (auto appData = NonEmpty(environment, "APPDATA")) return PathFromUtf8(*appData) / kFolderName;
    return std::nullopt;
  }
  if (auto xdg = AbsoluteXdg(environment, "XDG_CONFIG_HOME")) return *xdg / kFolderName;
  if (auto home = NonEmpty(environment, "HOME")) return PathFromUtf8(*home) / ".config" / kFolderName;
  return std::nullopt;
}

}  // namespace

std::optional<ConfigFiles> FindConfigFiles(const EnvironmentGetter& environment, ConfigPlatform platform) {
  if (auto chosen = NonEmpty(environment, "ZELMO_TCI_CONFIG_DIR")) return FilesIn(PathFromUtf8(*chosen));
  const auto folder = UserFolder(environment, platform);
  if (!folder) return std::nullopt;
  ConfigFiles files = FilesIn(*folder);
  if (const auto data = FindDataFolder(environment, platform)) {
    files.legacyHistoryFolder = files.historyFolder;
    files.historyFolder = *data / kHistoryName;
    files.recordingsFolder = *data / kRecordingsName;
  }
  if (platform == ConfigPlatform::Windows) {
    const std::string windows = NonEmpty(environment, "WINDIR").value_or("c:\\windows");
    files.legacySettingsFile = PathFromUtf8(windows + "\\" + kSettingsFileName);
    files.legacyShadowFile = std::string("c:\\windows\\_") + kSettingsFileName;
    files.legacyMarkerFile = std::string("c:\\") + kMarkerFileName;
  }
  return files;
}

std::optional<fs::path> FindDataFolder(const EnvironmentGetter& environment, ConfigPlatform platform) {
  if (platform == ConfigPlatform::Windows) {
    if (auto local = NonEmpty(environment, "LOCALAPPDATA")) return PathFromUtf8(*local) / kFolderName;
    return std::nullopt;
  }
  if (auto xdg = AbsoluteXdg(environment, "XDG_DATA_HOME")) return *xdg / kFolderName;
  if (auto home = NonEmpty(environment, "HOME")) return PathFromUtf8(*home) / ".local" / "share" / kFolderName;
  return std::nullopt;
}

fs::path ExeDirFile(const fs::path& programFolder, const EnvironmentGetter& environment, const WritableCheck& writable,
                    ConfigPlatform platform) {
  const fs::path beside = programFolder / kExeDirFileName;
  if (writable(programFolder)) return beside;
  const auto data = FindDataFolder(environment, platform);
  if (!data) return beside;
  std::error_code error;
  // A folder that cannot be made shows up in the file dialog, which says so.
  fs::create_directories(*data, error);
  return *data / kExeDirFileName;
}

}  // namespace zelmo
