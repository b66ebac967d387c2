// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/request_assembler.h"

#include <algorithm>

namespace zelmo::sim {

void RequestAssembler::feed(std::span<const std::uint8_t> bytes, std::int64_t nowMs) {
  if (!buffer_.empty() && nowMs - lastFeedMs_ > kStaleMs) buffer_.clear();
  lastFeedMs_ = nowMs;
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<Frame> RequestAssembler::next() {
  while (buffer_.size() >= kFrameSize) {
    Frame f;
    std::copy_n(buffer_.begin(), kFrameSize, f.begin());
    if (FrameIntact(f)) {
      buffer_.erase(buffer_.begin(), buffer_.begin() + kFrameSize);
      return f;
    }
    buffer_.erase(buffer_.begin());
  }
  return std::nullopt;
}

}  // namespace zelmo::sim
