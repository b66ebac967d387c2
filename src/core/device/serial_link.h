// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one serial connection to the unit, as the engine sees it. Implemented by
// the Qt Serial Port adapter, by an in-memory link in tests and by anything
// else that can carry 52-byte frames at 57600 baud 8N1.
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "core/device/port_names.h"

namespace zelmo {

inline constexpr std::size_t kFrameSize = 52;
inline constexpr std::size_t kReadCap = 15000;

struct OpenResult {
  enum class Error { None, NotFound, PermissionDenied, Busy, Other };
  Error error = Error::None;
  std::string device;  // the device path tried, such as /dev/ttyUSB0 or COM3
  std::string reason;  // the platform's own words, empty on success
  bool ok() const { return error == Error::None; }
};

class SerialLink {
 public:
  virtual ~SerialLink() = default;
  // Opens the port of that 1-based number exclusively at 57600 8N1, no flow control.
  virtual OpenResult open(int portNumber) = 0;
  // Releases the port and puts its own settings back; nothing when not open.
  virtual void close() = 0;
  // Bytes waiting in the input queue; 0 when the port is not open or the query failed.
  virtual std::size_t bytesWaiting() = 0;
  // Reads up to into.size() waiting bytes without waiting; returns how many
  // were read, 0 on failure (the buffer then holds nothing new).
  virtual std::size_t read(std::span<std::uint8_t> into) = 0;
  // Writes one frame and returns once it has left the port.
  virtual void write(std::span<const std::uint8_t, kFrameSize> frame) = 0;
  // The device a port number stands for, for display ("/dev/ttyUSB0"); may be empty.
  virtual std::string deviceFor(int portNumber) const = 0;
  // What the system knows of that device, for the Com menu and for the name a
  // chosen port is remembered by. Links that know no more give the device only.
  virtual SystemPort portFacts(int portNumber) const {
    SystemPort facts;
    facts.path = deviceFor(portNumber);
    return facts;
  }
  // The name a port chosen in the Com menu is remembered by (NameToRemember);
  // empty where nothing is to be remembered, as for a device bound for one run.
  virtual std::string nameToRemember(int /*portNumber*/) const { return {}; }
  // Whether the automatic search may open the port (ScanMayOpen). Links with
  // nothing behind a number but the unit let it try every one.
  virtual bool scanMayOpen(int /*portNumber*/) const { return true; }
  // The devices the user bound to numbers ("PORTS": COMn -> device), from now on.
  virtual void bindPorts(const std::map<int, std::string>& /*overrides*/) {}
};

}  // namespace zelmo
