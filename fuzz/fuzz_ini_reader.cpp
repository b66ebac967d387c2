// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a settings file: parsing, loading, saving and parsing the
// result again must neither crash nor lose the keys just written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/settings/ini_file.h"
#include "core/settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelmo;
  IniDocument ini = IniDocument::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  SettingsRecord record;
  LoadSettings(ini, record);
  ReadPortMap(ini);
  SaveSettings(record, ini);
  SettingsRecord back;
  LoadSettings(IniDocument::Parse(ini.serialize()), back);
  if (back.left != record.left || back.width != record.width || back.selectedComIndex != record.selectedComIndex ||
      back.languageId != record.languageId || back.ignAll != record.ignAll) {
    std::abort();
  }
  return 0;
}
