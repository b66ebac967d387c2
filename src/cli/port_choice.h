// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which port the device commands use: --port COMn picks the Com menu item
// that opens COMn, as the window's Com menu does; --port DEVICE binds COM1 to
// that device for the run. Numbers stand for the devices the settings file's
// "PORTS" section names, else for the system's ports in order.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/device/port_names.h"

namespace zelmo::cli {

struct PortChoice {
  int comIndex = 0;  // the Com menu item to choose: 0..19 open COM1 to COM20
  PortMapping mapping;
};

// The "PORTS" overrides of the settings file (none without one, or when it is missing).
PortMapping SettingsPortMapping(const std::optional<std::filesystem::path>& settingsFile);

// Nothing for an empty argument.
std::optional<PortChoice> ChoosePort(std::string_view argument, PortMapping mapping);

}  // namespace zelmo::cli
