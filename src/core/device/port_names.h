#pragma once
// Which device a "COM n" (1..21) stands for. Where ports have no numbers: a
// binding given on the command line, else the "PORTS" entry COMn=DEVICE of the
// settings file, else the n-th serial port of the system, USB and ACM adapters
// first, then the others, each group by name. On Windows: the binding, else
// the system's own port COMn.
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/platform_ports.h"

namespace zelmo {

inline constexpr int kHighestComNumber = 21;

struct SystemPort {
  std::string name;  // "ttyUSB0"
  std::string path;  // "/dev/ttyUSB0"
  bool usbOrAcm = false;

  bool operator==(const SystemPort&) const = default;
};

struct PortBinding {
  int portNumber = 0;  // the selected COM number
  std::string device;  // --port DEVICE
};

struct PortMapping {
  std::map<int, std::string> overrides;  // "PORTS": COMn -> device
  std::optional<PortBinding> binding;
};

// USB and ACM adapters first, each group by name (numbers inside names compare
// as numbers, so ttyUSB2 comes before ttyUSB10).
std::vector<SystemPort> OrderPorts(std::vector<SystemPort> ports);

// The device of COM portNumber; empty when nothing stands for it. orderedPorts
// serves only where ports are Listed.
std::string PortDevice(int portNumber, const PortMapping& mapping, std::span<const SystemPort> orderedPorts,
                       PortNaming naming = kThisPortNaming);

// "COM3" -> 3 for the keys of the "PORTS" section (1..21, case-insensitive).
std::optional<int> ComKeyNumber(std::string_view key);

// The COM number (1..21) that a Com menu item opens: items 0..19 open COM1 to
// COM20, "Com Auto" (item 20) the port its scan stands at (autoPortIndex 0..20
// for COM1 to COM21). The engine and the command-line tool share it.
int ComPortNumber(int comIndex, int autoPortIndex);
// The Com menu item that opens COM portNumber: 0..19 for COM1 to COM20.
// Nothing otherwise; COM21 only the automatic scan reaches.
std::optional<int> ComMenuIndex(int portNumber);

}  // namespace zelmo
