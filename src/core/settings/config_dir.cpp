#include "core/settings/config_dir.h"

#include <cstdlib>

namespace zelmo {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "zelmo-tci";

std::optional<std::string> NonEmpty(const EnvironmentGetter& environment, const char* name) {
  auto value = environment(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

ConfigFiles FilesIn(const fs::path& folder) {
  ConfigFiles files;
  files.folder = folder;
  files.settingsFile = folder / kSettingsFileName;
  files.shadowFile = folder / kShadowFileName;
  files.markerFile = folder / kMarkerFileName;
  return files;
}

std::optional<fs::path> UserFolder(const EnvironmentGetter& environment, ConfigPlatform platform) {
  if (platform == ConfigPlatform::Windows) {
    if (auto appData = NonEmpty(environment, "APPDATA")) return fs::path(*appData) / kFolderName;
    return std::nullopt;
  }
  if (auto xdg = NonEmpty(environment, "XDG_CONFIG_HOME"); xdg && xdg->front() == '/') {
    return fs::path(*xdg) / kFolderName;
  }
  if (auto home = NonEmpty(environment, "HOME")) return fs::path(*home) / ".config" / kFolderName;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const char* name) {
  if (const char* value = std::getenv(name)) return std::string(value);
  return std::nullopt;
}

std::optional<ConfigFiles> FindConfigFiles(const EnvironmentGetter& environment, ConfigPlatform platform) {
  if (auto chosen = NonEmpty(environment, "ZELMO_TCI_CONFIG_DIR")) return FilesIn(fs::path(*chosen));
  const auto folder = UserFolder(environment, platform);
  if (!folder) return std::nullopt;
  ConfigFiles files = FilesIn(*folder);
  if (platform == ConfigPlatform::Windows) {
    const std::string windows = NonEmpty(environment, "WINDIR").value_or("c:\\windows");
    files.legacySettingsFile = windows + "\\" + kSettingsFileName;
    files.legacyShadowFile = std::string("c:\\windows\\_") + kSettingsFileName;
    files.legacyMarkerFile = std::string("c:\\") + kMarkerFileName;
  }
  return files;
}

}  // namespace zelmo
