// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A serial link that reports every frame going out and every read coming in,
// with the tick it happened in, for --trace.
#include <ostream>

#include "core/device/serial_link.h"

namespace zelmo::cli {

class TraceLink : public SerialLink {
 public:
  // tick: the caller's tick counter, read at every report.
  TraceLink(SerialLink& inner, const long& tick, std::ostream& out) : inner_(inner), tick_(tick), out_(out) {}

  OpenResult open(int portNumber) override;
  void close() override { inner_.close(); }
  std::size_t bytesWaiting() override { return inner_.bytesWaiting(); }
  std::size_t read(std::span<std::uint8_t> into) override;
  void write(std::span<const std::uint8_t, kFrameSize> frame) override;
  std::string deviceFor(int portNumber) const override { return inner_.deviceFor(portNumber); }
  SystemPort portFacts(int portNumber) const override { return inner_.portFacts(portNumber); }
  std::string nameToRemember(int portNumber) const override { return inner_.nameToRemember(portNumber); }
  bool scanMayOpen(int portNumber) const override { return inner_.scanMayOpen(portNumber); }
  void bindPorts(const std::map<int, std::string>& overrides) override { inner_.bindPorts(overrides); }

 private:
  SerialLink& inner_;
  const long& tick_;
  std::ostream& out_;
};

}  // namespace zelmo::cli
