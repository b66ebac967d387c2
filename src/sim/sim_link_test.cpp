// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_link.h"

#include <gtest/gtest.h>

namespace zelmo::sim {
namespace {

struct ManualClock {
  std::int64_t now = 0;
  Clock clock() {
    return [this] { return now; };
  }
};

std::vector<std::uint8_t> ReadAll(SimLink& link) {
  std::vector<std::uint8_t> buffer(kReadCap);
  buffer.resize(link.read(buffer));
  return buffer;
}

TEST(SimLink, RepliesAfterTheDelay) {
  SimulatedUnit unit;
  ManualClock time;
  SimLink link(unit, time.clock(), {.unitPort = 0, .replyDelayMs = 30, .unplugAfter = 0});
  ASSERT_TRUE(link.open(3).ok());
  link.write(PollFrame());
  EXPECT_EQ(link.bytesWaiting(), 0u);
  time.now = 29;
  EXPECT_EQ(link.bytesWaiting(), 0u);
  time.now = 30;
  ASSERT_EQ(link.bytesWaiting(), kFrameSize);
  const auto bytes = ReadAll(link);
  ASSERT_EQ(bytes.size(), kFrameSize);
  EXPECT_EQ(bytes[0], kMonitorReply);
  EXPECT_EQ(link.bytesWaiting(), 0u);
  EXPECT_EQ(link.written().size(), 1u);
}

TEST(SimLink, AClosedLinkCarriesNothing) {
  SimulatedUnit unit;
  ManualClock time;
  SimLink link(unit, time.clock());
  link.write(PollFrame());
  EXPECT_EQ(link.bytesWaiting(), 0u);
  EXPECT_EQ(unit.requestCount(), 0);
  ASSERT_TRUE(link.open(1).ok());
  link.write(PollFrame());
  link.close();  // the reply in the queue goes with the port
  ASSERT_TRUE(link.open(1).ok());
  EXPECT_EQ(link.bytesWaiting(), 0u);
}

TEST(SimLink, TheUnitHangsOnOnePort) {
  SimulatedUnit unit;
  ManualClock time;
  SimLink link(unit, time.clock(), {.unitPort = 4, .replyDelayMs = 0, .unplugAfter = 0});
  const OpenResult wrong = link.open(3);
  EXPECT_EQ(wrong.error, OpenResult::Error::NotFound);
  EXPECT_TRUE(link.deviceFor(3).empty());
  EXPECT_TRUE(link.open(4).ok());
  EXPECT_EQ(link.open(4).error, OpenResult::Error::Busy);
  EXPECT_EQ(link.openPort(), 4);
}

TEST(SimLink, UnplugStopsRepliesAndOpensUntilPluggedIn) {
  SimulatedUnit unit;
  ManualClock time;
  SimLink link(unit, time.clock(), {.unitPort = 0, .replyDelayMs = 0, .unplugAfter = 2});
  ASSERT_TRUE(link.open(1).ok());
  link.write(PollFrame());
  link.write(PollFrame());
  link.write(PollFrame());
  EXPECT_EQ(ReadAll(link).size(), 2 * kFrameSize);  // the last reply was already on the wire
  EXPECT_FALSE(link.isOpen());                       // then the port died
  EXPECT_EQ(link.open(1).error, OpenResult::Error::NotFound);
  link.plugIn();
  ASSERT_TRUE(link.open(1).ok());
  link.write(PollFrame());
  EXPECT_EQ(link.bytesWaiting(), kFrameSize);
  link.unplug();
  EXPECT_FALSE(link.isOpen());
  link.write(PollFrame());
  EXPECT_EQ(link.bytesWaiting(), 0u);
}

}  // namespace
}  // namespace zelmo::sim
