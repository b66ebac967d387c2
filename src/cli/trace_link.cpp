// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/trace_link.h"

#include <cstdio>

namespace zelmo::cli {

OpenResult TraceLink::open(int portNumber) {
  OpenResult r = inner_.open(portNumber);
  out_ << "[tick " << tick_ << "] open COM" << portNumber << " " << r.device << ": " << (r.ok() ? "ok" : r.reason)
       << "\n";
  return r;
}

std::size_t TraceLink::read(std::span<std::uint8_t> into) {
  const std::size_t n = inner_.read(into);
  if (n > 0) {
    char code[3];
    std::snprintf(code, sizeof code, "%02X", into[0]);
    out_ << "[tick " << tick_ << "] << " << code << " (" << n << " bytes)\n";
  }
  return n;
}

void TraceLink::write(std::span<const std::uint8_t, kFrameSize> frame) {
  char code[3];
  std::snprintf(code, sizeof code, "%02X", frame[0]);
  out_ << "[tick " << tick_ << "] >> " << code << "\n";
  inner_.write(frame);
}

}  // namespace zelmo::cli
