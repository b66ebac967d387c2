// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial link on Qt Serial Port. Reads never wait: what the port has
// received is taken once a whole frame's worth is there. Writes wait until the
// frame has left the port, as the unit's timing assumes.
#include <QSerialPort>

#include <chrono>
#include <vector>

#include "core/device/port_names.h"
#include "core/device/serial_link.h"

namespace zelmo {

class QtSerialLink : public SerialLink {
 public:
  // Where ports have no numbers, mapping says which device "COM n" is.
  explicit QtSerialLink(PortMapping mapping = {});
  ~QtSerialLink() override;
  QtSerialLink(const QtSerialLink&) = delete;
  QtSerialLink& operator=(const QtSerialLink&) = delete;

  OpenResult open(int portNumber) override;
  void close() override;
  std::size_t bytesWaiting() override;
  std::size_t read(std::span<std::uint8_t> into) override;
  void write(std::span<const std::uint8_t, kFrameSize> frame) override;
  std::string deviceFor(int portNumber) const override;
  SystemPort portFacts(int portNumber) const override;
  std::string nameToRemember(int portNumber) const override;
  bool scanMayOpen(int portNumber) const override;
  void bindPorts(const std::map<int, std::string>& overrides) override { mapping_.overrides = overrides; }

  void setMapping(PortMapping mapping) { mapping_ = std::move(mapping); }
  bool isOpen() const { return port_.isOpen(); }

 private:
  // A port that has gone away (cable out, unit off) is closed, so it shows as
  // silence and the next reopen finds it again.
  bool usable();
  const std::vector<SystemPort>& systemPorts() const;

  static constexpr std::chrono::seconds kPortListLifetime{1};

  QSerialPort port_;
  PortMapping mapping_;
  mutable std::vector<SystemPort> ports_;
  mutable std::chrono::steady_clock::time_point portsListedAt_;
  mutable bool portsListed_ = false;
};

}  // namespace zelmo
