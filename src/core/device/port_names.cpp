// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/port_names.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <system_error>

#include "core/model/ordering.h"

namespace zelmo {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Runs of digits compare by value, everything else by character.
bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t ei = i;
      std::size_t ej = j;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      std::string_view na = a.substr(i, ei - i);
      std::string_view nb = b.substr(j, ej - j);
      while (na.size() > 1 && na.front() == '0') na.remove_prefix(1);
      while (nb.size() > 1 && nb.front() == '0') nb.remove_prefix(1);
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ei;
      j = ej;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
  return a < b;  // equal under the natural order ("ttyS01" vs "ttyS1"): keep a strict order
}

}  // namespace

std::vector<SystemPort> OrderPorts(std::vector<SystemPort> ports) {
  std::ranges::sort(ports, [](const SystemPort& a, const SystemPort& b) {
    if (a.usbOrAcm != b.usbOrAcm) return a.usbOrAcm;
    if (a.name != b.name) return NaturalLess(a.name, b.name);
    return a.path < b.path;
  });
  return ports;
}

std::string PortDevice(int portNumber, const PortMapping& mapping, std::span<const SystemPort> orderedPorts,
                       PortNaming naming) {
  if (portNumber < 1 || portNumber > kHighestComNumber) return {};
  if (mapping.binding && mapping.binding->portNumber == portNumber) return mapping.binding->device;
  if (naming == PortNaming::SystemNumbers) return "COM" + std::to_string(portNumber);
  if (auto it = mapping.overrides.find(portNumber); it != mapping.overrides.end() && !it->second.empty()) {
    return it->second;
  }
  const auto index = static_cast<std::size_t>(portNumber - 1);
  return index < orderedPorts.size() ? orderedPorts[index].path : std::string();
}

std::string ResolveDevice(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(path, error);
  return error ? path : real.string();
}

void FindStableNames(std::vector<SystemPort>& ports, const std::filesystem::path& folder) {
  std::error_code error;
  std::vector<std::filesystem::path> links;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    links.push_back(it->path());
  }
  std::ranges::sort(links);
  for (SystemPort& port : ports) {
    const std::string device = ResolveDevice(port.path);
    for (const auto& link : links) {
      if (ResolveDevice(link.string()) == device) {
        port.stableName = link.string();
        break;
      }
    }
  }
}

SystemPort PortFacts(int portNumber, const PortMapping& mapping, std::span<const SystemPort> orderedPorts) {
  const std::string device = PortDevice(portNumber, mapping, orderedPorts);
  if (device.empty()) return {};
  const std::string real = ResolveDevice(device);
  for (const SystemPort& port : orderedPorts) {
    if (port.path == device || ResolveDevice(port.path) == real) {
      SystemPort facts = port;
      facts.path = device;
      return facts;
    }
  }
  SystemPort facts;
  facts.name = std::filesystem::path(device).filename().string();
  facts.path = device;
  return facts;
}

bool ScanMayOpen(int portNumber, const PortMapping& mapping, std::span<const SystemPort> orderedPorts) {
  if (portNumber < 1 || portNumber > kHighestComNumber) return false;
  if (mapping.binding && mapping.binding->portNumber == portNumber) return true;
  if (auto it = mapping.overrides.find(portNumber); it != mapping.overrides.end() && !it->second.empty()) return true;
  const auto index = static_cast<std::size_t>(portNumber - 1);
  return index < orderedPorts.size() && orderedPorts[index].usbOrAcm;
}

std::string NameToRemember(const SystemPort& port) { return port.stableName.empty() ? port.path : port.stableName; }

void RememberPort(std::map<int, std::string>& overrides, int portNumber, const std::string& name) {
  if (portNumber < 1 || portNumber > kHighestComNumber || name.empty()) return;
  const std::string device = ResolveDevice(name);
  for (auto& [number, bound] : overrides) {
    if (number != portNumber && !bound.empty() && (bound == name || ResolveDevice(bound) == device)) bound.clear();
  }
  overrides[portNumber] = name;
}

std::string DescribePort(const SystemPort& port) {
  std::string facts;
  const auto add = [&facts](std::string_view text) {
    if (text.empty()) return;
    if (!facts.empty()) facts += ", ";
    facts += text;
  };
  add(port.description);
  add(port.manufacturer);
  if (!port.serialNumber.empty()) add("S/N " + port.serialNumber);
  std::string line = port.path;
  if (!facts.empty()) line += " - " + facts;
  if (!port.stableName.empty() && port.stableName != port.path) line += " - " + port.stableName;
  return line;
}

std::string ComItemText(int number, const SystemPort& port) {
  const std::string own = "COM" + std::to_string(number);
  std::string text = "Com " + std::to_string(number);
  const bool platformName = port.path.size() == own.size() && std::ranges::equal(port.path, own, [](char a, char b) {
                              return std::toupper(static_cast<unsigned char>(a)) == b;
                            });
  if (!port.path.empty() && !platformName) text += "  (" + DescribePort(port) + ")";
  return text;
}

std::optional<int> ComKeyNumber(std::string_view key) {
  if (key.size() < 4 || key.size() > 5) return std::nullopt;
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(key[i])) != "COM"[i]) return std::nullopt;
  }
  int n = 0;
  for (char c : key.substr(3)) {
    if (!IsDigit(c)) return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (key[3] == '0' || n < 1 || n > kHighestComNumber) return std::nullopt;
  return n;
}

int ComPortNumber(int comIndex, int autoPortIndex) {
  return (comIndex == kAutoComIndex ? autoPortIndex : comIndex) + 1;
}

std::optional<int> ComMenuIndex(int portNumber) {
  if (portNumber < 1 || portNumber >= kHighestComNumber) return std::nullopt;
  return portNumber - 1;
}

}  // namespace zelmo
