// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/port_choice.h"

#include "core/files/safe_file.h"
#include "core/settings/ini_file.h"
#include "serial/system_ports.h"

namespace zelmo::cli {

PortMapping SettingsPortMapping(const std::optional<std::filesystem::path>& settingsFile) {
  PortMapping mapping;
  if (!settingsFile) return mapping;
  const ReadResult settings = ReadWholeFile(*settingsFile);
  if (settings.ok) mapping.overrides = PortOverrides(IniDocument::Parse(settings.content));
  return mapping;
}

std::optional<PortChoice> ChoosePort(std::string_view argument, PortMapping mapping) {
  if (argument.empty()) return std::nullopt;
  PortChoice choice;
  // COM21 is the automatic scan's last port, not one the menu offers.
  const auto number = ComKeyNumber(argument);
  if (const auto index = number ? ComMenuIndex(*number) : std::nullopt) {
    choice.comIndex = *index;
  } else {
    // Bound to the number the engine opens for the item chosen.
    mapping.binding = PortBinding{ComPortNumber(choice.comIndex, 0), std::string(argument)};
  }
  choice.mapping = std::move(mapping);
  return choice;
}

}  // namespace zelmo::cli
