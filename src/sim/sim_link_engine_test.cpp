// SPDX-License-Identifier: GPL-3.0-or-later
// The editor session and its device engine against the simulated unit in the
// same process, tick by tick on a clock of 55 ms steps: what the window and
// the command-line tests rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/model/presets.h"
#include "core/session/editor_session.h"
#include "sim/sim_link.h"

namespace zelmo::sim {
namespace {

constexpr std::int64_t kTickMs = 55;

class Listener final : public SessionListener {
 public:
  void imageChanged(bool /*rescaleGraph*/) override {}
  void sessionEvent(SessionEvent event) override { events.push_back(event); }
  void message(std::string_view text) override { messages.emplace_back(text); }
  void warning(std::string_view text) override { warnings.emplace_back(text); }
  void monitorFrame(const MonitorData& data) override { lastMonitor = data; }

  int count(SessionEvent event) const { return static_cast<int>(std::ranges::count(events, event)); }

  std::vector<SessionEvent> events;
  std::vector<std::string> messages;
  std::vector<std::string> warnings;
  std::optional<MonitorData> lastMonitor;
};

class SessionOnSimLink : public ::testing::Test {
 protected:
  void start(UnitOptions options, UnitMemory memory = FactoryMemory(), SimLinkOptions linkOptions = {}) {
    unit_.emplace(options, memory);
    link_.emplace(*unit_, [this] { return now_; }, linkOptions);
    session_.emplace(*link_, listener_, EditorSession::Setup{});
    session_->begin(NewParameters(3), StoredChoices{kEnglish, 0, 0}, {});
    session_->openPort();
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) {
      now_ += kTickMs;
      session_->tick();
    }
  }
  // Ticks until the transfer is over; the number of ticks it took.
  int untilIdle(int limit = 100) {
    for (int i = 1; i <= limit; ++i) {
      ticks(1);
      if (engine().transferState() == TransferState::Idle) return i;
    }
    return -1;
  }
  // Ticks until the event comes; the number of ticks it took.
  int until(SessionEvent event, int limit = 200) {
    const int seen = listener_.count(event);
    for (int i = 1; i <= limit; ++i) {
      ticks(1);
      if (listener_.count(event) > seen) return i;
    }
    return -1;
  }
  const DeviceEngine& engine() const { return session_->engine(); }
  const ParameterImage& image() const { return static_cast<const EditorSession&>(*session_).image(); }
  const std::string& operation() const { return engine().display().operation.text; }
  bool unitHoldsTheImage() const {
    return std::ranges::equal(image().image(), unit_->memory().block);
  }

  std::int64_t now_ = 0;
  std::optional<SimulatedUnit> unit_;
  std::optional<SimLink> link_;
  Listener listener_;
  std::optional<EditorSession> session_;
};

TEST_F(SessionOnSimLink, ProgramsVerifiesAndWaitsForTheSaving) {
  start({});
  session_->startProgram(image());
  EXPECT_LE(untilIdle(), 4);
  EXPECT_EQ(listener_.events, (std::vector<SessionEvent>{SessionEvent::UnitInfoAccepted, SessionEvent::ConnectionBack,
                                                         SessionEvent::ImageStored, SessionEvent::Verified}));
  // No saving reported yet: the idle step of the same tick says it is done.
  EXPECT_EQ(operation(), "Programing: OK");
  EXPECT_TRUE(unitHoldsTheImage());
  EXPECT_EQ(unit_->memory().programmingCount, 1);
  EXPECT_TRUE(session_->notProgrammedText().empty());

  ticks(7);  // the next poll brings the unit's saving countdown
  ASSERT_TRUE(listener_.lastMonitor);
  EXPECT_GT(listener_.lastMonitor->savingCountdown, 0);
  EXPECT_TRUE(engine().display().saving);
  EXPECT_EQ(operation(), "Saving:");
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 0);
  EXPECT_GT(until(SessionEvent::SavingFinished, 30), 0);
  EXPECT_EQ(listener_.lastMonitor->savingCountdown, 0);
  EXPECT_FALSE(engine().display().saving);
  EXPECT_EQ(operation(), "Programing: OK");
  EXPECT_FALSE(engine().display().noConnection);
  ticks(100);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 1);
  EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 0);
}

TEST_F(SessionOnSimLink, AnUnpluggedAdapterLeavesTheSavingUnconfirmed) {
  start({});
  session_->startProgram(image());
  ASSERT_GT(untilIdle(), 0);
  ticks(7);
  ASSERT_TRUE(engine().display().saving);  // the unit reported a saving countdown
  link_->unplug();
  EXPECT_GT(until(SessionEvent::SavingUnconfirmed, 30), 0);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 0);
  EXPECT_EQ(listener_.events.end()[-2], SessionEvent::ConnectionLost);
}

TEST_F(SessionOnSimLink, ReadOfAnUnorderedUnitEndsInVerifyError) {
  const UnitMemory unordered = Unordered(FactoryMemory());
  start({}, unordered);
  session_->startRead();
  EXPECT_GT(untilIdle(), 20);  // five verify sends
  EXPECT_EQ(operation(), "Verify error!");
  EXPECT_EQ(listener_.events.front(), SessionEvent::UnitInfoAccepted);
  EXPECT_EQ(listener_.events.back(), SessionEvent::VerifyFailed);
  // The editor holds the ordered curve, the difference report the unit's own.
  for (int i = 1; i < kBreakpointCount; ++i) EXPECT_GT(image().rpmPoint(i), image().rpmPoint(i - 1)) << i;
  ASSERT_TRUE(session_->unitAfterFailure());
  EXPECT_TRUE(std::ranges::equal(*session_->unitAfterFailure(), unordered.block));
  EXPECT_EQ(unit_->memory(), unordered);  // a read writes nothing
  ticks(7);
  ASSERT_TRUE(listener_.lastMonitor);
  EXPECT_EQ(listener_.lastMonitor->dataError, 1);
  EXPECT_TRUE(engine().display().monitor.dataError.visible);
}

TEST_F(SessionOnSimLink, ASlowUnitWithinTheResendTimeIsFine) {
  start({}, FactoryMemory(), {.unitPort = 0, .replyDelayMs = 150, .unplugAfter = 0});
  session_->startProgram(image());
  ASSERT_GT(untilIdle(), 0);
  EXPECT_EQ(listener_.events.back(), SessionEvent::Verified);
  EXPECT_EQ(link_->written().size(), 3u);  // no resends
}

TEST_F(SessionOnSimLink, BadEchoesAndDroppedRepliesAreResent) {
  start({.protocolVersion = kProtocolVersion, .faults = {.dropEvery = 3, .corruptEvery = 0, .badEchoes = 1}});
  session_->startProgram(image());
  ASSERT_GT(untilIdle(), 0);
  EXPECT_EQ(listener_.events.back(), SessionEvent::Verified);
  EXPECT_GT(link_->written().size(), 4u);
  EXPECT_TRUE(unitHoldsTheImage());
}

TEST_F(SessionOnSimLink, TheConnectionComesBackWithTheUnit) {
  start({});
  ticks(12);
  EXPECT_FALSE(engine().display().noConnection);
  link_->unplug();
  ticks(20);
  EXPECT_TRUE(engine().display().noConnection);
  const int opens = link_->openCount();
  link_->plugIn();
  ticks(30 + 12);
  EXPECT_GT(link_->openCount(), opens);
  EXPECT_FALSE(engine().display().noConnection);
  EXPECT_EQ(listener_.events, (std::vector<SessionEvent>{SessionEvent::ConnectionBack, SessionEvent::ConnectionLost,
                                                         SessionEvent::ConnectionBack}));
  EXPECT_TRUE(listener_.messages.empty());  // the quiet reopen reports nothing
}

TEST_F(SessionOnSimLink, AnotherParameterSetVersionWritesNothing) {
  start({.protocolVersion = 60, .faults = {}});
  session_->startProgram(image());
  ticks(3);
  ASSERT_EQ(listener_.messages.size(), 1u);
  EXPECT_EQ(listener_.messages.front(), "Unmatched version of PC and Ignition programs!  PC-61, IGN-60");
  EXPECT_EQ(listener_.count(SessionEvent::VersionMismatch), 1);
  EXPECT_EQ(unit_->memory(), FactoryMemory());
  EXPECT_EQ(session_->unitVersion(), std::nullopt);  // no monitor frame yet
  ticks(7);
  EXPECT_EQ(session_->unitVersion(), 60);
}

}  // namespace
}  // namespace zelmo::sim
