// The device engine against the simulated unit in the same process, tick by
// tick on a clock of 55 ms steps: what the window tests rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/device/device_engine.h"
#include "core/model/presets.h"
#include "sim/sim_link.h"

namespace zelmo::sim {
namespace {

constexpr std::int64_t kTickMs = 55;

class Host : public DeviceHost {
 public:
  Host(ParameterImage& image, StoredChoices& choices) : image_(image), choices_(choices) {}
  void controlsToImage() override {}
  void orderBreakpoints() override { OrderBreakpoints(image_, memory_, choices_); }
  void imageToControls() override {}
  void requestGraphRescale() override {}
  void graphTick() override {}
  void fileNameCleared() override {}
  void showMessage(std::string_view text) override { messages.emplace_back(text); }
  bool blockingLabelsShown() const override { return true; }
  bool printingMode() const override { return false; }
  void clearPrintingMode() override {}
  void transferEvent(TransferEvent event) override { events.push_back(event); }

  std::vector<std::string> messages;
  std::vector<TransferEvent> events;

 private:
  ParameterImage& image_;
  StoredChoices& choices_;
  OrderingMemory memory_;
};

class EngineOnSimLink : public ::testing::Test {
 protected:
  void start(UnitOptions options, UnitMemory memory = FactoryMemory(), SimLinkOptions linkOptions = {}) {
    unit_.emplace(options, memory);
    link_.emplace(*unit_, [this] { return now_; }, linkOptions);
    FillMessageTable(messages_, kEnglish);
    engine_.emplace(*link_, host_, image_, messages_, choices_);
    engine_->openPort();
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) {
      now_ += kTickMs;
      engine_->tick();
    }
  }
  // Ticks until the transfer is over; the number of ticks it took.
  int untilIdle(int limit = 100) {
    for (int i = 1; i <= limit; ++i) {
      ticks(1);
      if (engine_->transferState() == TransferState::Idle) return i;
    }
    return -1;
  }
  const std::string& operation() const { return engine_->display().operation.text; }

  std::int64_t now_ = 0;
  std::optional<SimulatedUnit> unit_;
  std::optional<SimLink> link_;
  ParameterImage image_ = NewParameters(3);
  StoredChoices choices_{kEnglish, 0, 0};
  MessageTable messages_;
  Host host_{image_, choices_};
  std::optional<DeviceEngine> engine_;
};

TEST_F(EngineOnSimLink, ProgramsVerifiesAndWaitsForTheSaving) {
  start({});
  engine_->menuProgramClick();
  EXPECT_LE(untilIdle(), 4);
  EXPECT_EQ(host_.events.back(), TransferEvent::VerifyOk);
  // No saving reported yet: the idle step of the same tick says it is done.
  EXPECT_EQ(operation(), "Programing: OK");
  EXPECT_TRUE(std::equal(image_.image().begin(), image_.image().end(), unit_->memory().block.begin()));
  EXPECT_EQ(unit_->memory().programmingCount, 1);

  ticks(7);  // the next poll brings the unit's saving countdown
  EXPECT_GT(engine_->savingCountdown(), 0);
  EXPECT_EQ(operation(), "Saving:");
  ticks(30);
  EXPECT_EQ(engine_->savingCountdown(), 0);
  EXPECT_EQ(operation(), "Programing: OK");
  EXPECT_FALSE(engine_->display().noConnection);
}

TEST_F(EngineOnSimLink, ReadOfAnUnorderedUnitEndsInVerifyError) {
  start({}, Unordered(FactoryMemory()));
  engine_->menuReadClick();
  EXPECT_GT(untilIdle(), 20);  // five verify sends
  EXPECT_EQ(operation(), "Verify error!");
  EXPECT_EQ(host_.events.front(), TransferEvent::UnitInfoAccepted);
  EXPECT_EQ(host_.events.back(), TransferEvent::VerifyFailed);
  ticks(7);
  EXPECT_EQ(engine_->lastMonitor().dataError, 1);
}

TEST_F(EngineOnSimLink, ASlowUnitWithinTheResendTimeIsFine) {
  start({}, FactoryMemory(), {.unitPort = 0, .replyDelayMs = 150, .unplugAfter = 0});
  engine_->menuProgramClick();
  ASSERT_GT(untilIdle(), 0);
  EXPECT_EQ(host_.events.back(), TransferEvent::VerifyOk);
  EXPECT_EQ(link_->written().size(), 3u);  // no resends
}

TEST_F(EngineOnSimLink, BadEchoesAndDroppedRepliesAreResent) {
  start({.protocolVersion = kProtocolVersion, .faults = {.dropEvery = 3, .corruptEvery = 0, .badEchoes = 1}});
  engine_->menuProgramClick();
  ASSERT_GT(untilIdle(), 0);
  EXPECT_EQ(host_.events.back(), TransferEvent::VerifyOk);
  EXPECT_GT(link_->written().size(), 4u);
}

TEST_F(EngineOnSimLink, TheConnectionComesBackWithTheUnit) {
  start({});
  ticks(12);
  EXPECT_FALSE(engine_->display().noConnection);
  link_->unplug();
  ticks(20);
  EXPECT_TRUE(engine_->display().noConnection);
  const int opens = link_->openCount();
  link_->plugIn();
  ticks(30 + 12);
  EXPECT_GT(link_->openCount(), opens);
  EXPECT_FALSE(engine_->display().noConnection);
}

TEST_F(EngineOnSimLink, AnotherParameterSetVersionWritesNothing) {
  start({.protocolVersion = 60, .faults = {}});
  engine_->menuProgramClick();
  ticks(3);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages.front().find("PC-61, IGN-60"), std::string::npos);
  EXPECT_EQ(unit_->memory(), FactoryMemory());
}

}  // namespace
}  // namespace zelmo::sim
