#pragma once
// The serial ports the system lists, for the "COM n" numbering where ports
// have no numbers of their own.
#include <vector>

#include "core/device/port_names.h"
#include "core/settings/ini_file.h"

namespace zelmo {

// Every port the system lists, USB and ACM adapters first.
std::vector<SystemPort> SystemPorts();

// The "PORTS" section of the settings file as port overrides.
std::map<int, std::string> PortOverrides(const IniDocument& settings);

}  // namespace zelmo
