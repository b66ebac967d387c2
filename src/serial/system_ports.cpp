#include "serial/system_ports.h"

#include <QSerialPortInfo>

namespace zelmo {

std::vector<SystemPort> SystemPorts() {
  std::vector<SystemPort> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const QString name = info.portName();
    const bool usb = name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")) ||
                     info.hasVendorIdentifier();
    ports.push_back({name.toStdString(), info.systemLocation().toStdString(), usb});
  }
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
