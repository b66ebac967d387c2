// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_link.h"

#include <algorithm>
#include <chrono>
#include <string>

namespace zelmo::sim {

Clock SteadyClock() {
  return [] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  };
}

SimLink::SimLink(SimulatedUnit& unit, Clock clock, SimLinkOptions options)
    : unit_(unit), clock_(std::move(clock)), options_(options) {}

OpenResult SimLink::open(int portNumber) {
  OpenResult result;
  result.device = deviceFor(portNumber);
  if (openPort_ != 0) {
    result.error = OpenResult::Error::Busy;
    result.reason = "already open";
    return result;
  }
  if (unplugged_ || (options_.unitPort != 0 && portNumber != options_.unitPort)) {
    result.error = OpenResult::Error::NotFound;
    result.reason = "no such device";
    return result;
  }
  openPort_ = portNumber;
  ++opens_;
  return result;
}

void SimLink::close() {
  openPort_ = 0;
  inFlight_.clear();
  received_.clear();
}

void SimLink::deliver() {
  const std::int64_t now = clock_();
  while (!inFlight_.empty() && inFlight_.front().readyAt <= now) {
    const Frame& f = inFlight_.front().frame;
    received_.insert(received_.end(), f.begin(), f.end());
    inFlight_.pop_front();
  }
}

std::size_t SimLink::bytesWaiting() {
  if (openPort_ == 0) return 0;
  deliver();
  return received_.size();
}

std::size_t SimLink::read(std::span<std::uint8_t> into) {
  if (openPort_ == 0) return 0;
  deliver();
  const std::size_t n = std::min(into.size(), received_.size());
  std::copy_n(received_.begin(), n, into.begin());
  received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(n));
  // The adapter came out after its last reply: once that is read, the port is dead.
  if (unplugged_ && inFlight_.empty() && received_.empty()) openPort_ = 0;
  return n;
}

void SimLink::write(std::span<const std::uint8_t, kFrameSize> frame) {
  Frame copy;
  std::copy(frame.begin(), frame.end(), copy.begin());
  written_.push_back(copy);
  if (openPort_ == 0 || unplugged_) return;
  const std::int64_t now = clock_();
  if (auto reply = unit_.answer(frame, now)) {
    inFlight_.push_back({now + options_.replyDelayMs, *reply});
    if (options_.unplugAfter > 0 && ++replies_ >= options_.unplugAfter) unplugged_ = true;
  }
}

std::string SimLink::deviceFor(int portNumber) const {
  if (options_.unitPort != 0 && portNumber != options_.unitPort) return {};
  return "simulated unit";
}

void SimLink::unplug() {
  unplugged_ = true;
  close();
}

void SimLink::plugIn() {
  unplugged_ = false;
  replies_ = 0;
  options_.unplugAfter = 0;
}

}  // namespace zelmo::sim
