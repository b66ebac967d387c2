// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which device a "COM n" (1..21) stands for. Where ports have no numbers: a
// binding given on the command line, else the "PORTS" entry COMn=DEVICE of the
// settings file, else the n-th serial port of the system, USB and ACM adapters
// first, then the others, each group by name. On Windows: the binding, else
// the system's own port COMn.
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/platform_ports.h"

namespace zelmo {

inline constexpr int kHighestComNumber = 21;

// What the system knows of one serial port; empty texts where it knows nothing.
struct SystemPort {
  std::string name;  // "ttyUSB0"
  std::string path;  // "/dev/ttyUSB0"
  bool usbOrAcm = false;
  std::string description;   // "FT232R USB UART"
  std::string manufacturer;  // "FTDI"
  std::string serialNumber;  // "A50285BI"
  // A name that stays with the adapter whatever order it was plugged in:
  // "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0".
  std::string stableName;

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

inline constexpr const char* kStableNameFolder = "/dev/serial/by-id";

// The device node a path leads to, links followed ("/dev/serial/by-id/usb-..."
// -> "/dev/ttyUSB0"); the path as given when it leads nowhere. The one name a
// port is opened and locked under, whichever name the user gave.
std::string ResolveDevice(const std::string& path);

// Each port's stableName: the first link (by name) in folder that leads to its
// device. Ports without one keep theirs.
void FindStableNames(std::vector<SystemPort>& ports, const std::filesystem::path& folder = kStableNameFolder);

// What is known of COM portNumber's device: the system's facts about it when
// it is among the ports (whichever name the mapping gives it), else its path
// only. An empty path when nothing stands for the number.
SystemPort PortFacts(int portNumber, const PortMapping& mapping, std::span<const SystemPort> orderedPorts);

// Whether the automatic search may open COM portNumber: a number the user
// bound to a device, or a USB adapter. Opening a port toggles its control
// lines, which resets some boards, so other serial devices are left alone.
bool ScanMayOpen(int portNumber, const PortMapping& mapping, std::span<const SystemPort> orderedPorts);

// The name to keep for a chosen port: its stable name, else its path; empty
// when nothing stands for it.
std::string NameToRemember(const SystemPort& port);

// Binds COM portNumber to name in overrides; another number bound to the same
// device loses its binding (its entry is emptied, so that the settings file
// forgets it too), so one adapter keeps one number.
void RememberPort(std::map<int, std::string>& overrides, int portNumber, const std::string& name);

// One line of facts for menus and listings: the device, then what the system
// says of it, then its stable name:
// "/dev/ttyUSB0 - FT232R USB UART, FTDI, S/N A50285BI - /dev/serial/by-id/usb-FTDI..."
std::string DescribePort(const SystemPort& port);

// The Com menu item of COM number: "Com 3", with DescribePort in brackets
// when a device other than the platform's own "COM3" stands for it.
std::string ComItemText(int number, const SystemPort& port);

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
