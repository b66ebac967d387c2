// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/frame.h"

#include <gtest/gtest.h>

namespace zelmo {
namespace {

TEST(Frame, PollIsFixed) {
  const Frame poll = PollFrame();
  EXPECT_EQ(poll[0], 0x30);
  for (std::size_t i = 1; i <= 50; ++i) EXPECT_EQ(poll[i], 0) << i;
  EXPECT_EQ(poll[51], 0xCF);
}

TEST(Frame, ProgramBlockOneCarriesTheImage) {
  ParameterImage zero;
  const Frame empty = BuildTransferFrame(0x01, false, zero);
  EXPECT_EQ(empty[0], 0x01);
  EXPECT_EQ(empty[51], 0xFE);

  ParameterImage image;
  for (std::size_t i = 0; i < kAreaSize; ++i) image.area[i] = static_cast<std::uint8_t>(i + 1);
  const Frame f = BuildTransferFrame(0x01, false, image);
  for (std::size_t k = 1; k <= 50; ++k) EXPECT_EQ(f[k], k) << k;  // image bytes 0..49, not the five after
  EXPECT_TRUE(FrameIntact(f));
  const Frame verify = BuildTransferFrame(0x41, false, image);
  EXPECT_TRUE(std::equal(f.begin() + 1, f.end() - 1, verify.begin() + 1));
}

TEST(Frame, ReadsAndBlockZeroCarryZeros) {
  ParameterImage image;
  image.area.fill(0x5A);
  for (std::uint8_t command : {0x00, 0x40}) {
    const Frame f = BuildTransferFrame(command, false, image);
    EXPECT_TRUE(std::all_of(f.begin() + 1, f.end() - 1, [](std::uint8_t b) { return b == 0; }));
  }
  const Frame read = BuildTransferFrame(0x41, true, image);
  EXPECT_TRUE(std::all_of(read.begin() + 1, read.end() - 1, [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(read[51], 0xFF ^ 0x41);
  // No block 2 exists; the frame must not reach past the image.
  const Frame two = BuildTransferFrame(0x02, false, image);
  EXPECT_TRUE(std::all_of(two.begin() + 1, two.end() - 1, [](std::uint8_t b) { return b == 0; }));
}

TEST(Frame, OneFlippedBitIsDropped) {
  Payload payload{};
  payload[7] = 0x33;
  Frame monitor = BuildFrame(0xB0, payload);
  EXPECT_TRUE(AcceptMonitorFrame(monitor));
  for (std::size_t i : {std::size_t{5}, std::size_t{51}}) {
    Frame bad = monitor;
    bad[i] ^= 0x10;
    EXPECT_FALSE(AcceptMonitorFrame(bad));
  }
  Frame reply = BuildFrame(0xC1, payload);
  EXPECT_TRUE(AcceptTransferReply(reply, 0x41, 1, true));
  reply[51] ^= 0x01;
  EXPECT_FALSE(AcceptTransferReply(reply, 0x41, 1, true));
}

TEST(Frame, ReplyMustAnswerTheRunningCommand) {
  const Frame c1 = BuildFrame(0xC1, Payload{});
  EXPECT_FALSE(AcceptTransferReply(c1, 0x40, 0, true));   // answer to another command
  EXPECT_FALSE(AcceptTransferReply(c1, 0x41, 1, false));  // transfer already over
  const Frame c2 = BuildFrame(0xC2, Payload{});
  EXPECT_FALSE(AcceptTransferReply(c2, 0x42, 2, true));   // blocks above 1 do not exist
  EXPECT_FALSE(AcceptMonitorFrame(c1));
}

}  // namespace
}  // namespace zelmo
