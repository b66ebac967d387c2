// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial ports the system lists, for the "COM n" numbering where ports
// have no numbers of their own.
#include <QList>
#include <QSerialPortInfo>
#include <filesystem>
#include <vector>

#include "core/device/port_names.h"
#include "core/settings/ini_file.h"

namespace zelmo {

// What the system says of each port, with its stable name from folder, USB
// and ACM adapters first.
std::vector<SystemPort> SystemPorts(const QList<QSerialPortInfo>& infos = QSerialPortInfo::availablePorts(),
                                    const std::filesystem::path& folder = kStableNameFolder);

// The "PORTS" section of the settings file as port overrides.
std::map<int, std::string> PortOverrides(const IniDocument& settings);

}  // namespace zelmo
