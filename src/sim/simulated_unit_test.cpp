// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/simulated_unit.h"

#include <gtest/gtest.h>

#include "core/device/monitor.h"
#include "core/device/unit_info.h"
#include "sim/engine_model.h"

namespace zelmo::sim {
namespace {

Frame Request(std::uint8_t code, const Payload& payload = {}) { return BuildFrame(code, payload); }

Payload SomeImage() {
  Payload p{};
  const Block factory = FactoryMemory().block;
  std::copy(factory.begin(), factory.end(), p.begin());
  p[field::kLimiter] = 120;
  p[field::kBaseAdvance] = 8;
  return p;
}

MonitorData Poll(SimulatedUnit& unit, std::int64_t now) {
  const auto reply = unit.answer(Request(kPollCommand), now);
  EXPECT_TRUE(reply.has_value());
  const auto data = DecodeMonitorFrame(*reply);
  EXPECT_TRUE(data.has_value());
  return data.value_or(MonitorData{});
}

TEST(SimulatedUnit, AnswersEveryRequestWithItsReplyCode) {
  SimulatedUnit unit;
  for (std::uint8_t code : {kPollCommand, kProgramInfo, kReadInfo, kProgramImage, kReadImage}) {
    const auto reply = unit.answer(Request(code, SomeImage()), 0);
    ASSERT_TRUE(reply) << int(code);
    EXPECT_TRUE(FrameIntact(*reply));
    EXPECT_EQ((*reply)[0], code == kPollCommand ? kMonitorReply : code ^ kReplyBit);
  }
  EXPECT_EQ(unit.replyCount(), 5);
}

TEST(SimulatedUnit, IgnoresCorruptAndUnknownRequests) {
  SimulatedUnit unit;
  Frame bad = Request(kPollCommand);
  bad[51] ^= 0x10;
  EXPECT_FALSE(unit.answer(bad, 0));
  EXPECT_FALSE(unit.answer(Request(0x02), 0));  // block 2 does not exist
  EXPECT_FALSE(unit.answer(Request(0x42), 0));
  EXPECT_EQ(unit.requestCount(), 0);
}

TEST(SimulatedUnit, UnitInfoCarriesFirmwareAndVersion) {
  SimulatedUnit unit;
  const auto reply = unit.answer(Request(kReadInfo), 0);
  UnitInfo info;
  const auto payload = PayloadOf(*reply);
  std::copy(payload.begin(), payload.end(), info.bytes.begin());
  EXPECT_EQ(info.protocolVersion(), 61);
  const UnitInfoTexts texts = DecodeUnitInfo(info);
  EXPECT_EQ(texts.versionText, "ZSM12");
  EXPECT_EQ(texts.dateText, "14. 3.2025");
  EXPECT_EQ(texts.timeText, "09:05");

  SimulatedUnit old({.protocolVersion = 60, .faults = {}});
  EXPECT_EQ(PayloadOf(*old.answer(Request(kProgramInfo), 0))[unit_info::kProtocolVersion], 60);
  EXPECT_EQ(Poll(old, 0).protocolVersion, 60);
}

TEST(SimulatedUnit, StoresBlockOneAndReadsItBackWhateverThePayload) {
  SimulatedUnit unit;
  const Payload image = SomeImage();
  const auto echo = unit.answer(Request(kProgramImage, image), 0);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), PayloadOf(*echo).begin()));
  EXPECT_EQ(unit.memory().programmingCount, 1);

  Payload other{};
  other.fill(0x55);
  for (const Payload& p : {Payload{}, other}) {
    const auto read = unit.answer(Request(kReadImage, p), 10);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), PayloadOf(*read).begin()));
  }
  EXPECT_EQ(unit.memory().programmingCount, 1);  // reading never programs
  unit.answer(Request(kProgramImage, image), 20);
  EXPECT_EQ(Poll(unit, 30).programmingCount, 2);
}

TEST(SimulatedUnit, SavingCountsDownFrom110AfterEachStore) {
  SimulatedUnit unit;
  EXPECT_EQ(Poll(unit, 0).savingCountdown, 0);
  unit.answer(Request(kProgramImage, SomeImage()), 1000);
  EXPECT_EQ(Poll(unit, 1000).savingCountdown, 110);
  EXPECT_EQ(Poll(unit, 1550).savingCountdown, 55);
  EXPECT_EQ(Poll(unit, 2099).savingCountdown, 1);
  EXPECT_EQ(Poll(unit, 2100).savingCountdown, 0);
  EXPECT_EQ(Poll(unit, 90000).savingCountdown, 0);
  unit.answer(Request(kProgramImage, SomeImage()), 100000);
  EXPECT_EQ(Poll(unit, 100330).savingCountdown, 77);
}

TEST(SimulatedUnitFaults, Silent) {
  SimulatedUnit unit({.protocolVersion = kProtocolVersion, .faults = {.silent = true}});
  for (std::uint8_t code : {kPollCommand, kReadInfo, kProgramImage}) EXPECT_FALSE(unit.answer(Request(code), 0));
  EXPECT_EQ(unit.memory(), FactoryMemory());
}

TEST(SimulatedUnitFaults, DropEveryNthRequestButActOnIt) {
  SimulatedUnit unit({.protocolVersion = kProtocolVersion, .faults = {.dropEvery = 2}});
  EXPECT_TRUE(unit.answer(Request(kReadInfo), 0));
  EXPECT_FALSE(unit.answer(Request(kProgramImage, SomeImage()), 0));
  EXPECT_EQ(unit.memory().programmingCount, 1);  // the reply was lost, not the request
  EXPECT_TRUE(unit.answer(Request(kProgramImage, SomeImage()), 0));
  EXPECT_FALSE(unit.answer(Request(kPollCommand), 0));
}

TEST(SimulatedUnitFaults, CorruptEveryNthReplyHasAWrongCheckByteOnly) {
  SimulatedUnit unit({.protocolVersion = kProtocolVersion, .faults = {.corruptEvery = 3}});
  for (int i = 1; i <= 6; ++i) {
    const auto reply = unit.answer(Request(kReadImage), 0);
    ASSERT_TRUE(reply);
    EXPECT_EQ(FrameIntact(*reply), i % 3 != 0) << i;
    EXPECT_EQ((*reply)[0], 0xC1);
  }
}

TEST(SimulatedUnitFaults, BadEchoesDifferInOneByteThenHeal) {
  SimulatedUnit unit({.protocolVersion = kProtocolVersion, .faults = {.badEchoes = 2}});
  const Payload image = SomeImage();
  for (int i = 0; i < 3; ++i) {
    const Frame reply = *unit.answer(Request(kProgramImage, image), 0);
    const auto echo = PayloadOf(reply);
    int differences = 0;
    for (std::size_t k = 0; k < kPayloadSize; ++k) differences += echo[k] != image[k];
    EXPECT_EQ(differences, i < 2 ? 1 : 0) << i;
    // The echo is what the unit now holds.
    EXPECT_TRUE(std::equal(echo.begin(), echo.end(), unit.memory().block.begin()));
  }
}

TEST(SimulatedUnitFaults, UnorderedMemoryIsADataError) {
  EXPECT_TRUE(BlockSane(FactoryMemory().block));
  const UnitMemory unordered = Unordered(FactoryMemory());
  EXPECT_FALSE(BlockSane(unordered.block));
  SimulatedUnit unit({}, unordered);
  EXPECT_EQ(Poll(unit, 0).dataError, 1);
  const Frame reply = *unit.answer(Request(kReadImage), 0);
  const auto read = PayloadOf(reply);
  EXPECT_GT(read[field::kRpmPoint + 3], read[field::kRpmPoint + 4]);
  // Programming a sound block clears it.
  unit.answer(Request(kProgramImage, SomeImage()), 0);
  EXPECT_EQ(Poll(unit, 0).dataError, 0);
}

TEST(BlockSanity, RejectsFieldsOutOfRange) {
  auto broken = [](std::size_t at, std::uint8_t value) {
    Block b = FactoryMemory().block;
    b[at] = value;
    return BlockSane(b);
  };
  EXPECT_FALSE(broken(field::kLimiter, 9));
  EXPECT_FALSE(broken(field::kTop14, 10));
  EXPECT_FALSE(broken(field::kTacho2x, 2));
  EXPECT_FALSE(broken(field::kAdvance + 4, 61));
  EXPECT_FALSE(broken(field::kSpeedCorrection, 39));
  EXPECT_TRUE(broken(field::kReserved + 3, 0xAA));  // the unit does not look at reserved bytes
}

// Both edges of every field the unit checks, in its own bytes.
TEST(BlockSanity, AcceptsEachFieldUpToItsEdgesAndNoFurther) {
  struct Edge {
    std::size_t at;
    int lowest, highest;
  };
  const Edge edges[] = {
      {field::kTop14, 2, 9},           {field::kTop23, 2, 9},           {field::kBaseAdvance, 0, 40},
      {field::kLimiter, 10, 250},      {field::kTacho2x, 0, 1},         {field::kBlockEnable, 0, 1},
      {field::kBikeCode, 0, 9},        {field::kLongExcitation, 0, 1},  {field::kSpeedCorrection, 40, 160},
      {field::kInverseInput, 0, 1},    {field::kAdvance, 0, 60},        {field::kAdvance + 9, 0, 60},
  };
  for (const Edge& e : edges) {
    for (int v = 0; v <= 255; ++v) {
      Block b = FactoryMemory().block;
      b[e.at] = static_cast<std::uint8_t>(v);
      EXPECT_EQ(BlockSane(b), v >= e.lowest && v <= e.highest) << "byte " << e.at << " = " << v;
    }
  }
  // Speeds have no range of their own, only the rise.
  Block b = FactoryMemory().block;
  b[field::kRpmPoint] = 0;
  b[field::kRpmPoint + 9] = 255;
  EXPECT_TRUE(BlockSane(b));
  b[field::kRpmPoint + 1] = b[field::kRpmPoint];
  EXPECT_FALSE(BlockSane(b));
}

TEST(EngineModel, MonitorValuesFollowTheStoredCurve) {
  SimulatedUnit unit;
  const Block& block = unit.memory().block;
  int highest = 0;
  for (std::int64_t t = 0; t < kSweepMs; t += 5) {
    const MonitorData m = Poll(unit, t);
    highest = std::max<int>(highest, m.engineRpm);
    EXPECT_LE(m.engineRpm, block[field::kLimiter] * 100);
    EXPECT_EQ(m.currentAdvance, CurveAdvance(block, m.engineRpm));
    const int mv = SupplyMillivolts(m.supplyRaw);
    EXPECT_GE(mv, 12000);
    EXPECT_LE(mv, 14500);
    EXPECT_EQ(m.pickup1Running != 0, m.engineRpm > 0);
    // Side-stand blocking is on in the factory block: in gear with the stand
    // down the ignition is cut.
    EXPECT_EQ(m.blocking != 0, m.neutralOff != 0 && m.sideStandOff == 0);
  }
  EXPECT_EQ(highest, block[field::kLimiter] * 100);
}

TEST(EngineModel, CurveAdvanceInterpolatesBetweenBreakpoints) {
  Block b = FactoryMemory().block;  // 1500 rpm 5 deg, 2000 rpm 15 deg, ..., 10000 rpm 33 deg
  b[field::kBaseAdvance] = 7;
  EXPECT_EQ(CurveAdvance(b, 1000), 7);
  EXPECT_EQ(CurveAdvance(b, 1500), 5);
  EXPECT_EQ(CurveAdvance(b, 1750), 10);
  EXPECT_EQ(CurveAdvance(b, 2000), 15);
  EXPECT_EQ(CurveAdvance(b, 20000), 33);
}

TEST(EngineModel, SupplyCountsGiveTheVoltageAsked) {
  for (int mv : {12600, 13800, 14400}) {
    const int shown = SupplyMillivolts(SupplyRawForMillivolts(mv));
    EXPECT_LE(shown, mv);
    EXPECT_GT(shown, mv - 11);
  }
}

}  // namespace
}  // namespace zelmo::sim
