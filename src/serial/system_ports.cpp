// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/system_ports.h"

#include <QSerialPortInfo>

namespace zelmo {

std::vector<SystemPort> SystemPorts(const QList<QSerialPortInfo>& infos, const std::filesystem::path& folder) {
  std::vector<SystemPort> ports;
  for (const QSerialPortInfo& info : infos) {
    SystemPort port;
    const QString name = info.portName();
    port.name = name.toStdString();
    port.path = info.systemLocation().toStdString();
    port.usbOrAcm = name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")) ||
                    info.hasVendorIdentifier();
    port.description = info.description().trimmed().toStdString();
    port.manufacturer = info.manufacturer().trimmed().toStdString();
    port.serialNumber = info.serialNumber().trimmed().toStdString();
    ports.push_back(std::move(port));
  }
  FindStableNames(ports, folder);
  return OrderPorts(std::move(ports));
}

std::map<int, std::string> PortOverrides(const IniDocument& settings) {
  std::map<int, std::string> overrides;
  const auto map = ReadPortMap(settings);
  for (int i = 0; i < kPortMapSize; ++i) {
    if (!map[static_cast<std::size_t>(i)].empty()) overrides[i + 1] = map[static_cast<std::size_t>(i)];
  }
  return overrides;
}

}  // namespace zelmo
