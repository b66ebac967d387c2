// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/settings_store.h"

#include <system_error>

#include "core/files/utf8_path.h"
#include "core/settings/ini_file.h"
#include "core/settings/shadow_file.h"
#include "core/settings/test_mode.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

ReadResult ReadWithFallback(const fs::path& file, const fs::path& legacy) {
  ReadResult result = ReadWholeFile(file);
  if (result.missing && !legacy.empty()) result = ReadWholeFile(legacy);
  return result;
}

// Content of an optional file; a problem noted unless it is simply missing.
std::optional<std::string> ReadOptional(const fs::path& file, const fs::path& legacy, StartupFiles& startup,
                                        bool* found = nullptr) {
  ReadResult result = ReadWithFallback(file, legacy);
  if (found) *found = !result.missing;
  if (result.ok) return std::move(result.content);
  if (!result.missing) startup.problems.push_back(result.error);
  return std::nullopt;
}

}  // namespace

StartupFiles LoadStartupFiles(const ConfigFiles& files, SettingsRecord& settings, ParameterImage& area) {
  StartupFiles startup;
  const auto ini = ReadOptional(files.settingsFile, files.legacySettingsFile, startup, &startup.settingsFound);
  LoadSettings(ini ? IniDocument::Parse(*ini) : IniDocument{}, settings);
  if (const auto shadow = ReadOptional(files.shadowFile, files.legacyShadowFile, startup)) {
    ReadShadowFile(*shadow, area);
  }
  if (const auto marker = ReadOptional(files.markerFile, files.legacyMarkerFile, startup)) {
    startup.testMode = CheckTestMode(*marker);
  }
  return startup;
}

FileResult SaveCloseFiles(const ConfigFiles& files, const SettingsRecord& settings, const ParameterImage& area) {
  std::error_code ec;
  fs::create_directories(files.folder, ec);
  if (ec) return {false, Utf8FromPath(files.folder) + ": cannot create the folder: " + ec.message()};

  // Keys that other tools or the user put into the file stay; a file that is
  // there but cannot be read is not replaced by one without them.
  IniDocument ini;
  const ReadResult current = ReadWithFallback(files.settingsFile, files.legacySettingsFile);
  if (current.ok) {
    ini = IniDocument::Parse(current.content);
  } else if (!current.missing) {
    return {false, current.error};
  }
  SaveSettings(settings, ini);
  if (FileResult saved = WriteFileAtomically(files.settingsFile, ini.serialize()); !saved.ok) return saved;
  return WriteFileAtomically(files.shadowFile, WriteShadowFile(area));
}

}  // namespace zelmo
