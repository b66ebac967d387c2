// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/port_binding.h"

#include "core/files/safe_file.h"
#include "core/model/ordering.h"
#include "core/model/parameter_image.h"
#include "core/settings/config_dir.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "serial/system_ports.h"

namespace zelmo {

PortMapping StartupPortMapping(const std::optional<ConfigFiles>& files, const QString& portDevice) {
  PortMapping mapping;
  IniDocument ini;
  if (files) {
    const ReadResult read = ReadWholeFile(files->settingsFile);
    if (read.ok) ini = IniDocument::Parse(read.content);
  }
  mapping.overrides = PortOverrides(ini);
  if (portDevice.isEmpty()) return mapping;
  // The same reading and range check as the window's start-up, so the bound
  // number is the one the window opens first.
  SettingsRecord record;
  LoadSettings(ini, record);
  StoredChoices choices{record.languageId, record.selectedComIndex, record.autoPortIndex};
  ClampComSettings(choices);
  mapping.binding =
      PortBinding{ComPortNumber(choices.selectedComIndex, choices.autoPortIndex), portDevice.toStdString()};
  return mapping;
}

}  // namespace zelmo
