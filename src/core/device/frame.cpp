// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/frame.h"

#include <algorithm>

namespace zelmo {

namespace {
constexpr std::size_t kCheckOffset = kFrameSize - 1;
constexpr std::uint8_t kCheckSeed = 0xFF;
}  // namespace

Frame BuildFrame(std::uint8_t code, std::span<const std::uint8_t, kPayloadSize> payload) {
  Frame frame{};
  frame[0] = code;
  std::ranges::copy(payload, frame.begin() + 1);
  std::uint8_t check = kCheckSeed;
  for (std::size_t i = 0; i < kCheckOffset; ++i) check ^= frame[i];
  frame[kCheckOffset] = check;
  return frame;
}

Frame BuildTransferFrame(std::uint8_t command, bool reading, const ParameterImage& image) {
  Payload payload{};
  // Only block 1 exists beyond the information block; anything else goes out empty.
  if (!reading && (command & kBlockMask) == 1) std::ranges::copy(image.image(), payload.begin());
  return BuildFrame(command, payload);
}

Frame PollFrame() { return BuildFrame(kPollCommand, Payload{}); }

std::span<const std::uint8_t, kPayloadSize> PayloadOf(std::span<const std::uint8_t, kFrameSize> frame) {
  return frame.subspan<1, kPayloadSize>();
}

bool FrameIntact(std::span<const std::uint8_t, kFrameSize> frame) {
  std::uint8_t all = 0;
  for (std::uint8_t b : frame) all ^= b;
  return all == kCheckSeed;
}

bool AcceptMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame) {
  return frame[0] == kMonitorReply && FrameIntact(frame);
}

bool AcceptTransferReply(std::span<const std::uint8_t, kFrameSize> frame, std::uint8_t transferCommand,
                         std::uint8_t transferBlock, bool transferRunning) {
  return transferBlock <= 1 && FrameIntact(frame) && frame[0] == (transferCommand ^ kReplyBit) && transferRunning;
}

}  // namespace zelmo
