#include "core/device/port_names.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

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
