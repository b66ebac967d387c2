// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/request_assembler.h"

#include <gtest/gtest.h>

namespace zelmo::sim {
namespace {

TEST(RequestAssembler, JoinsPiecesIntoFrames) {
  RequestAssembler a;
  const Frame poll = PollFrame();
  a.feed(std::span(poll).first(20), 0);
  EXPECT_FALSE(a.next());
  a.feed(std::span(poll).subspan(20), 5);
  EXPECT_EQ(a.next(), poll);
  EXPECT_FALSE(a.next());

  std::vector<std::uint8_t> two(poll.begin(), poll.end());
  two.insert(two.end(), poll.begin(), poll.end());
  a.feed(two, 10);
  EXPECT_EQ(a.next(), poll);
  EXPECT_EQ(a.next(), poll);
  EXPECT_EQ(a.pending(), 0u);
}

TEST(RequestAssembler, SkipsGarbageUntilAFrameLinesUp) {
  RequestAssembler a;
  std::vector<std::uint8_t> bytes{0x12, 0x34, 0x56};
  const Frame poll = PollFrame();
  bytes.insert(bytes.end(), poll.begin(), poll.end());
  a.feed(bytes, 0);
  EXPECT_EQ(a.next(), poll);
}

TEST(RequestAssembler, DropsAStubLeftByADeadTool) {
  RequestAssembler a;
  const Frame poll = PollFrame();
  a.feed(std::span(poll).first(30), 0);
  a.feed(poll, RequestAssembler::kStaleMs + 1);
  EXPECT_EQ(a.next(), poll);
  EXPECT_EQ(a.pending(), 0u);
}

}  // namespace
}  // namespace zelmo::sim
