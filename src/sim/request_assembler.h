// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/device/frame.h"

namespace zelmo::sim {

// Cuts the byte stream from the tool into 52-byte requests. A terminal hands
// over bytes in pieces of any size; a tool that died in the middle of a frame
// leaves a stub, which is dropped when the line has been quiet for a while or
// skipped byte by byte until an intact frame lines up again.
class RequestAssembler {
 public:
  static constexpr std::int64_t kStaleMs = 100;

  void feed(std::span<const std::uint8_t> bytes, std::int64_t nowMs);
  std::optional<Frame> next();
  std::size_t pending() const { return buffer_.size(); }

 private:
  std::vector<std::uint8_t> buffer_;
  std::int64_t lastFeedMs_ = 0;
};

}  // namespace zelmo::sim
