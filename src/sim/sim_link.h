// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A serial link whose far end is a SimulatedUnit in the same process, so the
// engine and the window can be driven without a terminal. A written frame is
// answered at once; the reply becomes readable after the configured delay on
// the link's clock.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "core/device/serial_link.h"
#include "sim/simulated_unit.h"

namespace zelmo::sim {

// Milliseconds on some monotonic clock.
using Clock = std::function<std::int64_t()>;
Clock SteadyClock();

struct SimLinkOptions {
  int unitPort = 0;              // the port number the unit hangs on; 0: every port
  std::int64_t replyDelayMs = 0;
  int unplugAfter = 0;           // replies after which the adapter comes out; 0: never
};

class SimLink : public SerialLink {
 public:
  SimLink(SimulatedUnit& unit, Clock clock, SimLinkOptions options = {});

  OpenResult open(int portNumber) override;
  void close() override;
  std::size_t bytesWaiting() override;
  std::size_t read(std::span<std::uint8_t> into) override;
  void write(std::span<const std::uint8_t, kFrameSize> frame) override;
  std::string deviceFor(int portNumber) const override;

  // The adapter pulled out: the open port is dead, nothing arrives and opens
  // fail until it is back.
  void unplug();
  void plugIn();

  bool isOpen() const { return openPort_ != 0; }
  int openPort() const { return openPort_; }
  int openCount() const { return opens_; }
  // Every frame the tool wrote, in order (also those written to a closed link).
  const std::vector<Frame>& written() const { return written_; }

 private:
  struct Pending {
    std::int64_t readyAt;
    Frame frame;
  };
  void deliver();

  SimulatedUnit& unit_;
  Clock clock_;
  SimLinkOptions options_;
  int openPort_ = 0;
  int opens_ = 0;
  bool unplugged_ = false;
  int replies_ = 0;
  std::deque<Pending> inFlight_;
  std::vector<std::uint8_t> received_;
  std::vector<Frame> written_;
};

}  // namespace zelmo::sim
