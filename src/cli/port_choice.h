#pragma once
// Which port the device commands use: --port COMn picks a number as the
// window's Com menu does; --port DEVICE binds COM1 to that device for the run.
// Numbers stand for the devices the settings file's "PORTS" section names,
// else for the system's ports in order.
#include <optional>
#include <string>
#include <string_view>

#include "core/device/port_names.h"

namespace zelmo::cli {

struct PortChoice {
  int portNumber = 1;
  PortMapping mapping;
};

// The "PORTS" overrides of the user's settings file (none when it is missing).
PortMapping SettingsPortMapping();

// Nothing for an empty argument.
std::optional<PortChoice> ChoosePort(std::string_view argument, PortMapping mapping);

}  // namespace zelmo::cli
