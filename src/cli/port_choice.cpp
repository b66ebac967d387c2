#include "cli/port_choice.h"

#include "core/files/safe_file.h"
#include "core/settings/config_dir.h"
#include "core/settings/ini_file.h"
#include "serial/system_ports.h"

namespace zelmo::cli {

PortMapping SettingsPortMapping() {
  PortMapping mapping;
  const auto files = FindConfigFiles(ProcessEnvironment);
  if (!files) return mapping;
  const ReadResult settings = ReadWholeFile(files->settingsFile);
  if (settings.ok) mapping.overrides = PortOverrides(IniDocument::Parse(settings.content));
  return mapping;
}

std::optional<PortChoice> ChoosePort(std::string_view argument, PortMapping mapping) {
  if (argument.empty()) return std::nullopt;
  PortChoice choice;
  // COM21 is the automatic scan's last port, not one the menu offers.
  if (const auto number = ComKeyNumber(argument); number && *number < kHighestComNumber) {
    choice.portNumber = *number;
  } else {
    mapping.binding = PortBinding{choice.portNumber, std::string(argument)};
  }
  choice.mapping = std::move(mapping);
  return choice;
}

}  // namespace zelmo::cli
