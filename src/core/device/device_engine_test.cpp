// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/device_engine.h"

#include <gtest/gtest.h>

#include "core/device/fake_link_test.h"

namespace zelmo {
namespace {

using test::Bench;

Payload ImageBytes(const ParameterImage& image) {
  Payload p{};
  std::copy_n(image.area.begin(), kPayloadSize, p.begin());
  return p;
}

// ---- poll cycle and supervision ---------------------------------------------

TEST(DevicePoll, EverySixTicksAndConnectsOnTheFirstReply) {
  Bench b;
  b.engine.openPort();
  b.ticks(1);
  EXPECT_TRUE(b.engine.display().noConnection);  // silent from the start
  b.ticks(4);
  EXPECT_TRUE(b.link.written.empty());
  b.ticks(1);
  ASSERT_EQ(b.link.written.size(), 1u);
  EXPECT_EQ(b.link.written[0], PollFrame());
  b.ticks(1);  // the reply arrives
  EXPECT_FALSE(b.engine.display().noConnection);
  EXPECT_EQ(b.listener.monitorFrames.size(), 1u);
  EXPECT_EQ(b.listener.connections, std::vector<bool>{true});
  b.ticks(11);
  EXPECT_EQ(b.link.countWritten(kPollCommand), 3);
  EXPECT_EQ(b.listener.monitorFrames.size(), 2u);              // the third reply comes at tick 19
  EXPECT_EQ(b.listener.connections, std::vector<bool>{true});  // only changes are reported
}

TEST(DevicePoll, NoConnectionAfterEighteenSilentTicks) {
  Bench b;
  b.engine.openPort();
  b.ticks(7);  // first reply read in tick 7
  b.unit.silent = true;
  b.ticks(6);  // tick 13 would read the reply to the poll of tick 12; it never comes
  for (int t = 14; t <= 24; ++t) {
    b.engine.tick();
    EXPECT_FALSE(b.engine.display().noConnection) << t;
  }
  EXPECT_EQ(b.listener.connections, std::vector<bool>{true});
  b.engine.tick();  // tick 25: the eighteenth tick after the last accepted frame
  EXPECT_TRUE(b.engine.display().noConnection);
  EXPECT_EQ(b.engine.silenceTicks(), 18);
  EXPECT_EQ(b.listener.connections, (std::vector<bool>{true, false}));
}

TEST(DevicePoll, UnitAnsweringEverySecondPollStaysConnected) {
  Bench b;
  b.engine.openPort();
  b.ticks(7);
  for (int round = 0; round < 20; ++round) {
    b.unit.silent = round % 2 == 0;
    b.ticks(6);
    EXPECT_FALSE(b.engine.display().noConnection) << round;
  }
}

TEST(DevicePoll, FixedPortReopensEveryThirtySilentTicksQuietly) {
  Bench b;
  b.choices.selectedComIndex = 4;
  b.link.missing = {5};
  b.engine.choosePort(4);
  ASSERT_EQ(b.listener.openFailures.size(), 1u);  // the user's own choice is reported once
  EXPECT_EQ(b.engine.display().comCheckIndex, 4);
  EXPECT_EQ(b.engine.display().comLabel, "COM= COM5  /dev/ttyFAKE5");
  b.ticks(29);
  EXPECT_EQ(b.link.opened.size(), 1u);
  b.engine.tick();
  ASSERT_EQ(b.link.opened.size(), 2u);
  EXPECT_EQ(b.link.opened[1], 5);
  EXPECT_EQ(b.listener.openFailures.size(), 1u);  // the supervision's reopen says nothing
  b.ticks(60);
  EXPECT_EQ(b.link.opened, (std::vector<int>{5, 5, 5, 5}));
  EXPECT_EQ(b.link.closes, 4);  // the menu click closes too
  EXPECT_EQ(b.listener.openFailures.size(), 1u);

  // Choosing the port by hand again is the user's choice once more: reported.
  b.engine.choosePort(4);
  EXPECT_EQ(b.listener.openFailures.size(), 2u);
}

TEST(DevicePoll, AutoScanStepsThroughTwentyOnePorts) {
  Bench b;
  b.unit.silent = true;
  b.choices.selectedComIndex = kAutoComIndex;
  b.choices.autoPortIndex = 0;
  b.link.missing = {3};
  b.engine.openPort();
  EXPECT_EQ(b.engine.display().comLabel, "COM= COM1  /dev/ttyFAKE1");
  EXPECT_EQ(b.engine.display().comCheckIndex, 20);
  b.ticks(59);
  EXPECT_EQ(b.link.opened, (std::vector<int>{1, 2}));  // every 30 silent ticks the next port
  b.engine.tick();
  EXPECT_EQ(b.link.opened, (std::vector<int>{1, 2, 3}));
  b.engine.tick();  // a port that cannot be opened is left at the next tick
  EXPECT_EQ(b.link.opened.back(), 4);
  EXPECT_EQ(b.engine.display().comLabel, "COM= COM4  /dev/ttyFAKE4");
  b.ticks(29);  // one that opens is given the usual 30 ticks
  EXPECT_EQ(b.link.opened.back(), 4);
  b.engine.tick();
  EXPECT_EQ(b.link.opened.back(), 5);
  b.ticks(16 * 30);
  EXPECT_EQ(b.link.opened.back(), 21);
  b.ticks(30);
  EXPECT_EQ(b.link.opened.back(), 1);
  EXPECT_EQ(b.choices.autoPortIndex, 0);
  EXPECT_TRUE(b.listener.openFailures.empty());

  // A unit found ends the scan on its port.
  b.unit.silent = false;
  b.ticks(100);
  EXPECT_EQ(b.link.opened.back(), 1);
  EXPECT_FALSE(b.engine.display().noConnection);
}

TEST(DevicePoll, AutoScanLeavesOtherSerialDevicesAlone) {
  Bench b;
  b.unit.silent = true;
  b.choices.selectedComIndex = kAutoComIndex;
  b.choices.autoPortIndex = 1;
  b.link.notForScan = {2, 3, 4};
  b.engine.openPort();
  EXPECT_TRUE(b.link.opened.empty()) << "COM2 is not touched";
  EXPECT_EQ(b.engine.display().comLabel, "COM= COM2  /dev/ttyFAKE2");
  b.ticks(3);
  EXPECT_EQ(b.link.opened, (std::vector<int>{5})) << "a skipped port is left at the next tick, like a missing one";
  EXPECT_TRUE(b.listener.openFailures.empty());

  // A port chosen by hand is opened whatever it is.
  b.engine.choosePort(2);
  EXPECT_EQ(b.link.opened.back(), 3);
}

TEST(DevicePoll, AutoItemFromTheMenuStaysSilent) {
  Bench b;
  b.link.missing = {1};
  b.engine.choosePort(kAutoComIndex);
  EXPECT_TRUE(b.listener.openFailures.empty());
  b.engine.tick();
  EXPECT_EQ(b.link.opened, (std::vector<int>{1, 2}));
  b.engine.choosePort(21);  // not an item
  EXPECT_EQ(b.choices.selectedComIndex, kAutoComIndex);

  Bench restored;  // "ComPort" 21 in the settings: automatic, from the stored port on
  restored.choices.selectedComIndex = kAutoComIndex;
  restored.choices.autoPortIndex = 6;
  restored.engine.openPort();
  EXPECT_EQ(restored.link.opened, (std::vector<int>{7}));
  EXPECT_EQ(restored.engine.display().comLabel, "COM= COM7  /dev/ttyFAKE7");
}

TEST(DevicePoll, OpenFailureNamesDeviceReasonAndAdvice) {
  Bench b;
  b.link.missing = {2};
  b.link.missingError = OpenResult::Error::PermissionDenied;
  b.engine.choosePort(1);
  ASSERT_EQ(b.listener.openFailures.size(), 1u);
  const std::string& text = b.listener.openFailures[0];
  EXPECT_EQ(text.rfind("Com opening error!\n", 0), 0u) << text;
  EXPECT_NE(text.find("/dev/ttyFAKE2"), std::string::npos);
  EXPECT_NE(text.find("No such file or directory"), std::string::npos);
  EXPECT_NE(text.find(ExtraText(Extra::PortPermissionDenied, kEnglish)), std::string::npos);

  b.link.missingError = OpenResult::Error::Busy;
  b.engine.choosePort(1);
  EXPECT_NE(b.listener.openFailures.back().find(ExtraText(Extra::PortBusy, kEnglish)), std::string::npos);
  EXPECT_FALSE(b.engine.lastOpenResult().ok());
}

TEST(DevicePoll, TicksInsideTheOpenMessageKeepTheEngineConsistent) {
  Bench b;
  b.link.missing = {1};
  b.unit.silent = true;
  b.listener.insideOpenFailure = [&b] { b.ticks(40); };  // the box stays open 2.2 s
  b.engine.openPort();
  EXPECT_EQ(b.listener.openFailures.size(), 1u);  // the reopen inside the box is silent
  EXPECT_EQ(b.link.opened, (std::vector<int>{1, 1}));
  EXPECT_EQ(b.engine.display().comCheckIndex, 0);
}

TEST(DevicePoll, VersionLabelHiddenWhileNoConnection) {
  Bench b;
  b.unit.monitor.protocolVersion = 60;
  b.engine.openPort();
  b.ticks(7);
  EXPECT_TRUE(b.engine.display().monitor.version.visible);
  EXPECT_EQ(b.engine.display().monitor.version.text, "Unmatched version of PC and Ignition programs!  PC-61, IGN-60");
  b.unit.silent = true;
  b.ticks(30);
  EXPECT_TRUE(b.engine.display().noConnection);
  EXPECT_FALSE(b.engine.display().monitor.version.visible);
}

TEST(DevicePoll, NoConnectionShowsNoLiveValuesUntilTheNextFrame) {
  Bench b;
  b.unit.monitor.engineRpm = 9246;
  b.unit.monitor.supplyRaw = 900;
  b.unit.monitor.pickup1Running = 1;
  b.unit.monitor.savingCountdown = 60;
  b.engine.openPort();
  b.engine.startVerify();  // a success: the unit's saving shows
  b.ticks(8);
  const DeviceDisplay& d = b.engine.display();
  ASSERT_FALSE(d.noConnection);
  ASSERT_EQ(d.monitor.rpm.text, "RPM = 9246 ");
  ASSERT_GT(d.monitor.rpmGaugePosition, 0);
  ASSERT_FALSE(d.nearest.belowCurve);
  ASSERT_TRUE(d.saving);

  b.unit.silent = true;  // unplugged
  b.ticks(30);
  ASSERT_TRUE(d.noConnection);
  EXPECT_EQ(d.monitor, MonitorPlaceholders(b.messages));  // as at start-up
  EXPECT_FALSE(d.monitor.frameSeen);
  EXPECT_EQ(d.monitor.rpm.text, "RPM = ---");
  EXPECT_EQ(d.monitor.voltage.text, "U = --- [V]");
  EXPECT_EQ(d.monitor.pickup1.text, "Pick-up (CPS) 1 = ---");
  EXPECT_EQ(d.monitor.pickup1.colour, Colour::ButtonFace);
  EXPECT_EQ(d.monitor.rpmGaugePosition, 0);
  EXPECT_TRUE(d.nearest.belowCurve);  // no breakpoint is the live one
  EXPECT_EQ(b.engine.liveRpm(), 0);   // the graph draws no live line
  EXPECT_FALSE(d.saving);             // nor is the unit's saving still running here

  // The placeholders speak the language chosen meanwhile.
  FillMessageTable(b.messages, kGerman);
  b.engine.tick();
  EXPECT_EQ(d.monitor.advance.text, NoConnectionAdvanceCaption(b.messages));

  // Back with the first accepted frame.
  b.unit.silent = false;
  b.ticks(7);
  EXPECT_FALSE(d.noConnection);
  EXPECT_TRUE(d.monitor.frameSeen);
  EXPECT_EQ(d.monitor.rpm.text, "RPM = 9246 ");
  EXPECT_EQ(b.engine.liveRpm(), 9246);
  EXPECT_FALSE(d.nearest.belowCurve);
}

// ---- receive ----------------------------------------------------------------

TEST(DeviceReceive, WaitsForAWholeFrame) {
  Bench b;
  b.engine.openPort();
  b.unit.monitor.engineRpm = 3300;
  const Frame f = EncodeMonitorFrame(b.unit.monitor);
  b.link.input.insert(b.link.input.end(), f.begin(), f.end() - 1);
  b.engine.tick();
  EXPECT_EQ(b.link.input.size(), 51u);
  EXPECT_TRUE(b.listener.monitorFrames.empty());
  b.link.input.push_back(f.back());
  b.engine.tick();
  EXPECT_EQ(b.engine.liveRpm(), 3300);
  EXPECT_TRUE(b.link.input.empty());
}

TEST(DeviceReceive, ExtraBytesAreDroppedAndTheCapHolds) {
  Bench b;
  b.engine.openPort();
  b.link.push(EncodeMonitorFrame(b.unit.monitor));
  b.link.input.insert(b.link.input.end(), 48, 0xB0);
  b.engine.tick();
  EXPECT_EQ(b.link.lastReadSize, 100u);
  EXPECT_TRUE(b.link.input.empty());
  EXPECT_EQ(b.listener.monitorFrames.size(), 1u);

  b.link.input.assign(16000, 0);
  b.engine.tick();
  EXPECT_EQ(b.link.lastReadSize, kReadCap);
  EXPECT_EQ(b.link.input.size(), 1000u);
}

TEST(DeviceReceive, FailedReadNeverRepeatsTheLastFrame) {
  Bench b;
  b.engine.openPort();
  b.link.push(EncodeMonitorFrame(b.unit.monitor));
  b.engine.tick();
  ASSERT_EQ(b.listener.monitorFrames.size(), 1u);
  b.link.push(EncodeMonitorFrame(b.unit.monitor));
  b.link.failReads = true;
  b.engine.tick();
  EXPECT_EQ(b.listener.monitorFrames.size(), 1u);
}

TEST(DeviceReceive, BrokenFramesChangeNothing) {
  Bench b;
  b.engine.openPort();
  b.unit.monitor.engineRpm = 4000;
  Frame f = EncodeMonitorFrame(b.unit.monitor);
  f[51] ^= 0x04;
  b.link.push(f);
  b.engine.tick();
  EXPECT_EQ(b.engine.liveRpm(), 0);
  EXPECT_EQ(b.engine.silenceTicks(), 18);
  EXPECT_FALSE(b.engine.display().monitor.frameSeen);
}

TEST(DeviceReceive, RepliesAfterIdleAreDropped) {
  Bench b;
  b.engine.openPort();
  const ParameterImage before = b.image;
  Payload other{};
  other.fill(9);
  b.link.push(BuildFrame(0xC1, other));
  b.engine.tick();
  EXPECT_EQ(b.image, before);
  EXPECT_EQ(b.engine.silenceTicks(), 18);
  EXPECT_FALSE(b.engine.lastUnitImage());
}

// ---- transfers --------------------------------------------------------------

TEST(DeviceTransfer, ProgramThenVerifyThenSuccessText) {
  Bench b;
  b.engine.openPort();
  b.unit.stored.fill(0);
  b.image.advance(3) = 27;
  b.engine.startProgram();
  EXPECT_EQ(b.engine.display().operation.text, "Program device:");
  EXPECT_TRUE(b.engine.display().gauge.visible);
  ASSERT_EQ(b.link.written.size(), 1u);  // sent at once
  EXPECT_EQ(b.link.written[0][0], 0x00);

  b.engine.tick();  // UnitInfo: send the image
  ASSERT_EQ(b.link.written.back()[0], 0x01);
  EXPECT_EQ(b.link.written.back(), BuildTransferFrame(0x01, false, b.image));
  b.engine.tick();  // echo equal: verify
  EXPECT_EQ(b.listener.events.back(), TransferEvent::ImageStored);
  EXPECT_EQ(b.engine.transferState(), TransferState::Verify);
  EXPECT_EQ(b.engine.display().operation.text, "Verify:");
  // The verify reply ends the transfer; the idle step of the same tick then
  // puts the programming result over "Verify: OK".
  b.engine.tick();
  EXPECT_EQ(b.engine.transferState(), TransferState::Idle);
  EXPECT_EQ(b.unit.stored, ImageBytes(b.image));
  EXPECT_EQ(b.engine.display().operation.text, "Programing: OK");
  EXPECT_EQ(b.engine.display().gauge.position, b.engine.display().gauge.maximum);
  EXPECT_EQ(b.listener.events, (std::vector<TransferEvent>{TransferEvent::UnitInfoAccepted, TransferEvent::ImageStored,
                                                           TransferEvent::VerifyOk}));

  // The success text stays until the 200 ticks run out.
  b.ticks(199);
  EXPECT_TRUE(b.engine.display().operation.visible);
  EXPECT_EQ(b.engine.display().operation.text, "Programing: OK");
  b.engine.tick();
  EXPECT_FALSE(b.engine.display().operation.visible);
  EXPECT_FALSE(b.engine.display().gauge.visible);

  // With the countdown over the success is forgotten: a later saving of the
  // unit ends on its own text, not on "Programing: OK".
  for (std::uint16_t countdown : {30, 0}) {
    b.unit.monitor.savingCountdown = countdown;
    b.link.input.clear();
    b.link.push(EncodeMonitorFrame(b.unit.monitor));
    b.engine.tick();
  }
  EXPECT_FALSE(b.engine.display().saving);
  EXPECT_EQ(b.engine.display().operation.text, "Saving:");
}

TEST(DeviceTransfer, VerifyAloneKeepsItsSuccessText) {
  Bench b;
  b.engine.openPort();
  b.engine.startVerify();
  EXPECT_EQ(b.engine.display().operation.text, "Verify device:");
  b.engine.tick();
  EXPECT_EQ(b.engine.display().operation.text, "Verify: OK");
  b.ticks(20);
  EXPECT_EQ(b.engine.display().operation.text, "Verify: OK");
  EXPECT_EQ(b.engine.display().gauge.position, 1);
}

TEST(DeviceTransfer, SavingGauge) {
  Bench b;
  b.engine.openPort();
  b.engine.startProgram();
  b.ticks(3);
  ASSERT_EQ(b.engine.display().operation.text, "Programing: OK");
  const auto saving = [&b](std::uint16_t countdown) {
    b.unit.monitor.savingCountdown = countdown;
    b.link.input.clear();
    b.link.push(EncodeMonitorFrame(b.unit.monitor));
    b.engine.tick();
  };
  EXPECT_FALSE(b.engine.display().saving);
  saving(55);
  EXPECT_TRUE(b.engine.display().saving);
  EXPECT_EQ(b.engine.display().operation.text, "Saving:");
  EXPECT_EQ(b.engine.display().gauge.maximum, 100);
  EXPECT_EQ(b.engine.display().gauge.position, 50);
  saving(110);
  EXPECT_EQ(b.engine.display().gauge.position, 0);
  saving(500);
  EXPECT_EQ(b.engine.display().gauge.position, 0);
  saving(1);
  EXPECT_EQ(b.engine.display().gauge.position, 99);
  saving(0);
  EXPECT_FALSE(b.engine.display().saving);
  EXPECT_EQ(b.engine.display().operation.text, "Programing: OK");
  EXPECT_EQ(b.engine.display().gauge.maximum, 1);
  EXPECT_EQ(b.engine.display().gauge.position, 1);

  // A command started while the unit still saves shows its own caption.
  saving(30);
  ASSERT_TRUE(b.engine.display().saving);
  b.engine.startVerify();
  EXPECT_FALSE(b.engine.display().saving);
  EXPECT_EQ(b.engine.display().operation.text, "Verify device:");
}

TEST(DeviceTransfer, BadEchoOnceThenGood) {
  Bench b;
  b.engine.openPort();
  b.unit.badEchoes = 1;
  b.engine.startProgram();
  EXPECT_GT(b.untilIdle(), 0);
  EXPECT_EQ(b.link.countWritten(0x01), 2);
  EXPECT_EQ(b.link.countWritten(0x41), 1);
  EXPECT_EQ(b.engine.display().operation.text, "Programing: OK");
}

TEST(DeviceTransfer, BadEchoEveryTimeFailsAfterFiveSends) {
  Bench b;
  b.engine.openPort();
  b.unit.badEchoes = 100;
  b.engine.startProgram();
  b.untilIdle();
  EXPECT_EQ(b.link.countWritten(0x01), 5);
  EXPECT_EQ(b.engine.display().operation.text, "Program error!");
  EXPECT_EQ(b.engine.display().operation.colour, Colour::Red);
  EXPECT_EQ(b.listener.events.back(), TransferEvent::ProgramFailed);
  b.ticks(2);  // the idle steps leave the failure standing
  EXPECT_EQ(b.engine.display().operation.text, "Program error!");

  // Every store made the unit save; its countdown must not cover the error.
  b.unit.monitor.savingCountdown = 100;
  b.ticks(12);
  ASSERT_FALSE(b.listener.monitorFrames.empty());
  EXPECT_EQ(b.engine.display().operation.text, "Program error!");
  EXPECT_FALSE(b.engine.display().saving);
}

TEST(DeviceTransfer, FailedProgramAfterChangeKeepsItsErrorOverTheSaving) {
  Bench b;
  b.engine.openPort();
  b.ticks(7);
  b.unit.badEchoes = 100;
  b.unit.monitor.savingCountdown = 100;
  b.engine.startAutoProgram();
  b.untilIdle();
  EXPECT_EQ(b.listener.events.back(), TransferEvent::ProgramFailed);
  b.ticks(30);
  EXPECT_EQ(b.engine.display().operation.text, "Program error!");
  EXPECT_FALSE(b.engine.display().saving);
}

struct FailureCase {
  void (DeviceEngine::*command)();
  std::uint8_t firstCode;
  const char* text;
};

class DeviceFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DeviceFailure, FiveSendsThenRedMessageFor200Ticks) {
  Bench b;
  b.unit.silent = true;
  b.engine.openPort();
  (b.engine.*GetParam().command)();
  EXPECT_EQ(b.link.written.size(), 1u);
  for (int t = 1; t <= 19; ++t) {
    b.engine.tick();
    EXPECT_EQ(b.link.written.size(), static_cast<std::size_t>(1 + t / 4)) << t;  // a resend every 4 ticks
  }
  EXPECT_EQ(b.link.countWritten(GetParam().firstCode), 5);
  EXPECT_NE(b.engine.transferState(), TransferState::Idle);  // the fifth send still has its time
  b.engine.tick();                                           // tick 20: the sixth time-out
  EXPECT_EQ(b.engine.transferState(), TransferState::Idle);
  EXPECT_EQ(b.link.countWritten(GetParam().firstCode), 5);
  EXPECT_EQ(b.engine.display().operation.text, GetParam().text);
  EXPECT_EQ(b.engine.display().operation.colour, Colour::Red);
  // The unit answers again and reports a saving of its own: the polls bring
  // it, but the failure keeps the label and no saving progress covers it.
  b.unit.silent = false;
  b.unit.monitor.savingCountdown = 80;
  for (int t = 1; t <= 199; ++t) {
    b.engine.tick();
    ASSERT_EQ(b.engine.display().operation.text, GetParam().text) << t;
    ASSERT_EQ(b.engine.display().operation.colour, Colour::Red) << t;
    ASSERT_FALSE(b.engine.display().saving) << t;
    ASSERT_TRUE(b.engine.display().operation.visible) << t;
  }
  EXPECT_FALSE(b.listener.monitorFrames.empty());
  b.engine.tick();
  EXPECT_FALSE(b.engine.display().operation.visible);
  b.ticks(20);  // the countdown goes on, still unannounced
  EXPECT_FALSE(b.engine.display().operation.visible);
  EXPECT_FALSE(b.engine.display().saving);

  // The next transfer that succeeds shows the saving again.
  b.engine.startVerify();
  b.untilIdle();
  b.ticks(8);
  EXPECT_TRUE(b.engine.display().saving);
  EXPECT_EQ(b.engine.display().operation.text, "Saving:");
}

INSTANTIATE_TEST_SUITE_P(States, DeviceFailure,
                         ::testing::Values(FailureCase{&DeviceEngine::startProgram, 0x00, "Program error!"},
                                           FailureCase{&DeviceEngine::startVerify, 0x41, "Verify error!"},
                                           FailureCase{&DeviceEngine::startRead, 0x40, "Read error!"}));

TEST(DeviceTransfer, FailureReplacesAnEarlierSuccessText) {
  Bench b;
  b.engine.openPort();
  b.engine.startProgram();
  b.ticks(4);
  ASSERT_EQ(b.engine.display().operation.text, "Programing: OK");
  b.unit.silent = true;
  b.engine.startProgram();
  b.ticks(20);
  EXPECT_EQ(b.engine.display().operation.text, "Program error!");
  b.ticks(5);
  EXPECT_EQ(b.engine.display().operation.text, "Program error!");
}

TEST(DeviceTransfer, CorruptReplyIsResent) {
  Bench b;
  b.engine.openPort();
  b.unit.corruptNext = true;
  b.engine.startVerify();
  b.ticks(3);
  EXPECT_EQ(b.engine.transferState(), TransferState::Verify);
  EXPECT_EQ(b.link.countWritten(0x41), 1);
  b.ticks(2);  // resent at tick 4, answered at tick 5
  EXPECT_EQ(b.link.countWritten(0x41), 2);
  EXPECT_EQ(b.engine.display().operation.text, "Verify: OK");
}

TEST(DeviceTransfer, ReadCopiesTheUnitsBlockAndVerifiesIt) {
  Bench b;
  b.engine.openPort();
  b.unit.stored[field::kBaseAdvance] = 12;
  b.image.area.fill(0);
  b.engine.startRead();
  EXPECT_EQ(b.link.written[0], BuildTransferFrame(0x40, true, b.image));
  b.engine.tick();
  EXPECT_EQ(b.link.written.back()[0], 0x41);
  EXPECT_TRUE(std::all_of(b.link.written.back().begin() + 1, b.link.written.back().end() - 1,
                          [](std::uint8_t v) { return v == 0; }));
  b.engine.tick();  // block 1 copied, verify with the image
  EXPECT_EQ(b.image.baseAdvance(), 12);
  EXPECT_EQ(b.engine.display().operation.text, "Verify:");
  EXPECT_EQ(b.link.written.back(), BuildTransferFrame(0x41, false, b.image));
  b.engine.tick();
  EXPECT_EQ(b.engine.display().operation.text, "Verify: OK");
  b.engine.tick();
  EXPECT_EQ(b.engine.display().operation.text, "Verify: OK");  // no programming happened
  EXPECT_EQ(b.engine.display().firmware.timeText, "00:00");
  EXPECT_EQ(b.listener.events, (std::vector<TransferEvent>{TransferEvent::UnitInfoAccepted, TransferEvent::ImageRead,
                                                           TransferEvent::VerifyOk}));
}

// The engine itself never puts the image in order: that is its owner's chore.
TEST(DeviceTransfer, ReadOfUnorderedBreakpointsIsVerifiedAsItCame) {
  Bench b;
  b.engine.openPort();
  std::swap(b.unit.stored[field::kRpmPoint + 2], b.unit.stored[field::kRpmPoint + 3]);
  const Payload unordered = b.unit.stored;
  b.engine.startRead();
  b.untilIdle();
  EXPECT_TRUE(std::ranges::equal(b.image.image(), unordered));
  EXPECT_EQ(b.listener.events.back(), TransferEvent::VerifyOk);
  ASSERT_TRUE(b.engine.lastUnitImage());
  EXPECT_EQ(*b.engine.lastUnitImage(), unordered);
}

// UnitInfoAccepted comes before block 1 is asked for or sent, ImageRead before
// the verify: what the listener writes into the image then is what goes out.
TEST(DeviceTransfer, TheListenerMayChangeTheImageBeforeTheEngineGoesOn) {
  for (bool program : {false, true}) {
    Bench b;
    b.engine.openPort();
    std::vector<std::uint8_t> lastCodeAtEvent;
    b.listener.onEvent = [&](TransferEvent event) {
      if (event != TransferEvent::UnitInfoAccepted && event != TransferEvent::ImageRead) return;
      lastCodeAtEvent.push_back(b.link.written.back()[0]);
      b.image.advance(5) = static_cast<std::uint8_t>(event == TransferEvent::UnitInfoAccepted ? 7 : 8);
    };
    if (program) {
      b.engine.startProgram();
    } else {
      b.engine.startRead();
    }
    b.untilIdle();
    if (program) {
      EXPECT_EQ(lastCodeAtEvent, std::vector<std::uint8_t>{0x00});
      ASSERT_EQ(b.link.countWritten(0x01), 1);
      EXPECT_EQ(b.link.written[1], BuildTransferFrame(0x01, false, b.image));
      EXPECT_EQ(b.unit.stored[field::kAdvance + 5], 7);
      EXPECT_EQ(b.listener.events.back(), TransferEvent::VerifyOk);
    } else {
      EXPECT_EQ(lastCodeAtEvent, (std::vector<std::uint8_t>{0x40, 0x41}));
      // The verify sends what the listener left, and the unit holds something else.
      EXPECT_EQ(b.link.written[2], BuildTransferFrame(0x41, false, b.image));
      EXPECT_EQ(b.image.advance(5), 8);
      EXPECT_EQ(b.listener.events.back(), TransferEvent::VerifyFailed);
    }
  }
}

TEST(DeviceTransfer, VersionMismatchStopsReadAndProgram) {
  for (bool program : {false, true}) {
    Bench b;
    b.engine.openPort();
    b.unit.info.bytes[unit_info::kProtocolVersion] = 60;
    b.unit.info.bytes[unit_info::kHour] = 7;
    b.unit.stored.fill(1);
    const ParameterImage before = b.image;
    std::optional<TransferState> inside;
    int pollsInside = 0;
    b.listener.onEvent = [&](TransferEvent event) {
      if (event != TransferEvent::VersionMismatch) return;
      inside = b.engine.transferState();
      const int polls = b.link.countWritten(kPollCommand);
      b.ticks(12);  // the owner shows a box; ticks go on while it is open
      pollsInside = b.link.countWritten(kPollCommand) - polls;
    };
    if (program) {
      b.engine.startProgram();
    } else {
      b.engine.startRead();
    }
    b.engine.tick();
    EXPECT_EQ(b.listener.events, std::vector<TransferEvent>{TransferEvent::VersionMismatch}) << program;
    EXPECT_EQ(inside, TransferState::Idle);
    EXPECT_GE(pollsInside, 2);
    EXPECT_TRUE(b.listener.openFailures.empty());              // the engine composes no message
    EXPECT_EQ(b.engine.display().firmware.timeText, "07:00");  // the unit's information is shown
    EXPECT_EQ(b.engine.transferState(), TransferState::Idle);
    EXPECT_EQ(b.image, before);
    EXPECT_EQ(b.link.countWritten(0x01), 0);
    EXPECT_EQ(b.link.countWritten(0x41), 0);
    b.engine.tick();
    EXPECT_FALSE(b.engine.display().operation.visible);
    EXPECT_FALSE(b.engine.display().gauge.visible);
  }
}

TEST(DeviceTransfer, AutoProgramSendsWithinFourTicks) {
  for (int phase = 0; phase < 6; ++phase) {
    Bench b;
    b.engine.openPort();
    b.ticks(6 + phase);
    const std::size_t before = b.link.written.size();
    b.engine.startAutoProgram();
    EXPECT_EQ(b.link.written.size(), before);
    EXPECT_EQ(b.engine.display().operation.text, "Programing");
    int sent = 0;
    for (int t = 1; t <= 4 && sent == 0; ++t) {
      b.engine.tick();
      if (b.link.countWritten(0x00) == 1) sent = t;
    }
    EXPECT_GT(sent, 0) << "phase " << phase;
    b.untilIdle();
    b.engine.tick();
    EXPECT_EQ(b.engine.display().operation.text, "Programing: OK");
    EXPECT_EQ(b.link.countWritten(kProgramInfo), 1) << "phase " << phase;
    EXPECT_EQ(b.link.countWritten(kProgramImage), 1) << "phase " << phase;
  }
}

// After a verify the last block sent is block 1. A reply with the program
// information code that comes before the programming's first send is no echo
// of the image, whatever it carries.
TEST(DeviceTransfer, AutoProgramTakesNoEarlyReplyForTheEcho) {
  Bench b;
  b.engine.openPort();
  b.engine.startVerify();
  ASSERT_GT(b.untilIdle(), 0);
  b.unit.silent = true;
  b.engine.startAutoProgram();
  b.link.push(BuildFrame(kProgramInfo ^ kReplyBit, ImageBytes(b.image)));
  const int verifies = b.link.countWritten(kReadImage);
  b.engine.tick();
  EXPECT_EQ(b.link.countWritten(kReadImage), verifies);  // no verify of a programming
  EXPECT_EQ(std::ranges::count(b.listener.events, TransferEvent::ImageStored), 0);
  EXPECT_EQ(b.link.countWritten(kProgramImage), 0);
}

// Whatever the poll's count when it starts, the first send is the first of five.
TEST(DeviceTransfer, AutoProgramWithoutUnitStillStopsAfterFiveSends) {
  for (int phase = 0; phase < 6; ++phase) {
    Bench b;
    b.unit.silent = true;
    b.engine.openPort();
    b.ticks(6 + phase);
    b.engine.startAutoProgram();
    b.untilIdle();
    EXPECT_EQ(b.link.countWritten(kProgramInfo), 5) << "phase " << phase;
    EXPECT_EQ(b.engine.display().operation.text, "Program error!");
  }
}

TEST(DeviceTransfer, MonitorFrameDuringATransferIsShown) {
  Bench b;
  b.unit.silent = true;
  b.engine.openPort();
  b.engine.startProgram();
  b.unit.monitor.engineRpm = 1600;
  b.link.push(EncodeMonitorFrame(b.unit.monitor));
  b.engine.tick();
  EXPECT_EQ(b.engine.liveRpm(), 1600);
  EXPECT_EQ(b.engine.transferState(), TransferState::Program);
  EXPECT_EQ(b.engine.display().monitor.rpm.text, "RPM = 1600 ");
  // The default curve starts 1500, 2000: 1600 is nearest to point 0.
  EXPECT_EQ(b.engine.nearestPoint(), 0);
  EXPECT_FALSE(b.engine.belowCurve());
}

TEST(DeviceTransfer, OtherLanguageIdsKeepTheCaption) {
  Bench b;
  b.engine.openPort();
  b.engine.startVerify();
  b.choices.languageId = kFrench;
  b.engine.startRead();
  EXPECT_EQ(b.engine.display().operation.text, "Verify device:");
  b.choices.languageId = kGerman;
  b.engine.startRead();
  EXPECT_EQ(b.engine.display().operation.text, "Lesen:");
}

// Visibility is the engine's own: opening a port (by hand or by the scan)
// leaves the operation label and "No Connection" as the countdown and the
// supervision set them.
TEST(DeviceDisplay, OpeningAPortLeavesTheVisibilityAlone) {
  Bench b;
  b.unit.silent = true;
  b.engine.openPort();
  b.engine.startRead();
  b.engine.tick();
  ASSERT_TRUE(b.engine.display().operation.visible);
  ASSERT_TRUE(b.engine.display().noConnection);
  const DeviceDisplay shown = b.engine.display();
  b.engine.choosePort(0);
  EXPECT_EQ(b.engine.display().operation, shown.operation);
  EXPECT_EQ(b.engine.display().gauge, shown.gauge);
  EXPECT_TRUE(b.engine.display().noConnection);
  b.engine.tick();
  EXPECT_TRUE(b.engine.display().operation.visible);

  // The read fails at tick 20 and shows "Read error!" for 200 ticks, to tick
  // 219. A port chosen by hand and the supervision's quiet reopens meanwhile
  // neither cut that countdown short nor start it again.
  b.ticks(23);  // tick 25
  ASSERT_EQ(b.engine.display().operation.text, "Read error!");
  b.engine.choosePort(0);
  b.ticks(194);  // tick 219
  EXPECT_GE(b.link.opened.size(), 8u);
  EXPECT_TRUE(b.engine.display().operation.visible);
  EXPECT_TRUE(b.engine.display().noConnection);
  b.engine.tick();
  EXPECT_FALSE(b.engine.display().operation.visible);
}

TEST(DeviceDisplay, BlockingLabelsFollowTheImagesBlockEnable) {
  Bench b;
  b.engine.openPort();
  b.unit.monitor.blocking = 1;
  for (std::uint8_t enabled : {1, 0}) {
    b.image.blockEnable() = enabled;
    b.link.push(EncodeMonitorFrame(b.unit.monitor));
    b.engine.tick();
    const MonitorLabels& labels = b.engine.display().monitor;
    EXPECT_EQ(labels.blocking.text, "Blocking = ON");
    EXPECT_EQ(labels.blocking.visible, enabled != 0);
    EXPECT_EQ(labels.neutral.visible, enabled != 0);
    EXPECT_EQ(labels.sideStand.visible, enabled != 0);
  }
}

TEST(DeviceDisplay, StampStaysTwoHundredTicksOnButtonFace) {
  Bench b;
  b.unit.silent = true;
  b.engine.openPort();
  b.engine.startProgram();
  b.untilIdle();
  ASSERT_EQ(b.engine.display().operation.colour, Colour::Red);  // "Program error!"
  b.engine.showStamp("Date and Time of printing:  1/2/03    4:05:06 PM");
  EXPECT_EQ(b.engine.display().operation.text, "Date and Time of printing:  1/2/03    4:05:06 PM");
  EXPECT_EQ(b.engine.display().operation.colour, Colour::ButtonFace);
  EXPECT_TRUE(b.engine.display().operation.visible);
  EXPECT_FALSE(b.engine.display().gauge.visible);

  // Hiding the label keeps the countdown: the stamp comes back for all of it.
  b.engine.hideOperation();
  EXPECT_FALSE(b.engine.display().operation.visible);
  b.engine.tick();  // the countdown brings the stamp back
  EXPECT_TRUE(b.engine.display().operation.visible);
  b.ticks(DeviceEngine::kMessageTicks - 1);
  EXPECT_TRUE(b.engine.display().operation.visible);
  b.engine.tick();
  EXPECT_FALSE(b.engine.display().operation.visible);
}

TEST(DeviceDisplay, NoStampKeepsTheLabelText) {
  Bench b;
  b.unit.silent = true;
  b.engine.openPort();
  b.engine.startRead();
  b.untilIdle();
  const std::string failure = b.engine.display().operation.text;
  b.ticks(DeviceEngine::kMessageTicks);
  ASSERT_FALSE(b.engine.display().operation.visible);
  b.engine.showStamp(std::nullopt);
  EXPECT_EQ(b.engine.display().operation.text, failure);
  EXPECT_EQ(b.engine.display().operation.colour, Colour::ButtonFace);
  EXPECT_TRUE(b.engine.display().operation.visible);
  b.ticks(DeviceEngine::kMessageTicks);  // a whole countdown again
  EXPECT_TRUE(b.engine.display().operation.visible);
  b.engine.tick();
  EXPECT_FALSE(b.engine.display().operation.visible);
}

TEST(DeviceDisplay, RevisionMovesOnlyOnChange) {
  Bench b;
  b.engine.openPort();
  b.ticks(10);
  const std::uint64_t r = b.engine.revision();
  b.unit.silent = true;
  b.link.input.clear();
  b.ticks(5);
  EXPECT_EQ(b.engine.revision(), r);
  b.ticks(20);
  EXPECT_GT(b.engine.revision(), r);  // "No Connection"
}

}  // namespace
}  // namespace zelmo
