// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/monitor.h"

#include <gtest/gtest.h>

#include "core/model/presets.h"

namespace zelmo {
namespace {

MessageTable English() {
  MessageTable m;
  FillMessageTable(m, kEnglish);
  return m;
}

MonitorData Sample() {
  MonitorData d;
  d.engineRpm = 7500;
  d.currentAdvance = 28;
  d.supplyRaw = 2000;
  d.programmingCount = 12;
  for (std::size_t i = 0; i < 8; ++i) d.testValues[i] = static_cast<std::uint16_t>(1000 * (i + 1) + 1);
  d.neutralOff = 1;
  d.pickup1Running = 1;
  d.savingCountdown = 300;
  d.protocolVersion = kProtocolVersion;
  return d;
}

TEST(Monitor, FieldsAtTheirOffsets) {
  Payload p{};
  p[0] = 0x34;  // engineRpm 0x1234, little-endian
  p[1] = 0x12;
  p[2] = 1;     // rpmWarning
  p[4] = 22;    // currentAdvance
  p[8] = 0xE8;  // supplyRaw 1000
  p[9] = 0x03;
  p[12] = 0x02;  // test value 1 = 0x0201
  p[13] = 0x01;
  p[27] = 0xFF;  // test value 8 high byte
  p[28] = 1;     // sideStandOff
  p[46] = 110;   // savingCountdown
  p[48] = 1;     // dataError
  p[49] = 60;    // protocolVersion
  const auto d = DecodeMonitorFrame(BuildFrame(0xB0, p));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->engineRpm, 0x1234);
  EXPECT_EQ(d->rpmWarning, 1);
  EXPECT_EQ(d->currentAdvance, 22);
  EXPECT_EQ(d->supplyRaw, 1000);
  EXPECT_EQ(d->testValues[0], 0x0102);
  EXPECT_EQ(d->testValues[7], 0xFF00);
  EXPECT_EQ(d->sideStandOff, 1);
  EXPECT_EQ(d->neutralOff, 0);
  EXPECT_EQ(d->savingCountdown, 110);
  EXPECT_EQ(d->dataError, 1);
  EXPECT_EQ(d->protocolVersion, 60);

  EXPECT_EQ(DecodeMonitorFrame(EncodeMonitorFrame(Sample())), Sample());
  Frame bad = EncodeMonitorFrame(Sample());
  bad[51] ^= 0x80;
  EXPECT_FALSE(DecodeMonitorFrame(bad));
}

TEST(Monitor, SupplyVoltage) {
  const MessageTable m = English();
  MonitorData d = Sample();
  d.supplyRaw = 1000;
  EXPECT_EQ(SupplyMillivolts(1000), 7510);
  LabelState v = MonitorDisplay(d, m, 150, true).voltage;
  EXPECT_EQ(v.text, "U =  7.5 [V]");
  EXPECT_EQ(v.colour, Colour::Yellow);
  d.supplyRaw = 2000;
  EXPECT_EQ(SupplyMillivolts(2000), 14231);
  v = MonitorDisplay(d, m, 150, true).voltage;
  EXPECT_EQ(v.text, "U = 14.2 [V]");
  EXPECT_EQ(v.colour, Colour::ButtonFace);
  d.supplyRaw = 0;
  v = MonitorDisplay(d, m, 150, true).voltage;
  EXPECT_EQ(v.text, "U =  0.8 [V]");
  EXPECT_EQ(v.colour, Colour::Red);
  d.supplyRaw = 65535;  // no overflow on the largest count
  EXPECT_EQ(SupplyMillivolts(65535), (65535 * 5000 / 8184) * 11 + 800);

  EXPECT_EQ(SupplyColour(17999), Colour::Red);
  EXPECT_EQ(SupplyColour(17998), Colour::Yellow);
  EXPECT_EQ(SupplyColour(14999), Colour::Yellow);
  EXPECT_EQ(SupplyColour(14998), Colour::ButtonFace);
  EXPECT_EQ(SupplyColour(11001), Colour::ButtonFace);
  EXPECT_EQ(SupplyColour(11000), Colour::Yellow);
  EXPECT_EQ(SupplyColour(7001), Colour::Yellow);
  EXPECT_EQ(SupplyColour(7000), Colour::Red);
}

TEST(Monitor, LabelTexts) {
  const MessageTable m = English();
  MonitorData d = Sample();
  MonitorLabels l = MonitorDisplay(d, m, 150, true);
  EXPECT_TRUE(l.frameSeen);
  EXPECT_EQ(l.rpm.text, "RPM = 7500 ");
  EXPECT_EQ(l.rpm.colour, Colour::ButtonFace);
  EXPECT_EQ(l.rpmGaugePosition, 50);
  EXPECT_EQ(l.advance.text, "ADVANCE = 28 [\u00B0]");
  EXPECT_EQ(l.programmingCount.text, "Number of Programing= 12 ");
  EXPECT_EQ(l.tests[0].text, "Test1 = 1001 ");
  EXPECT_EQ(l.tests[7].text, "Test8 = 8001 ");
  EXPECT_EQ(l.pickup1.text, "Pick-up (CPS) 1 -  is running");
  EXPECT_EQ(l.pickup1.colour, Colour::Lime);
  EXPECT_EQ(l.pickup2.text, "Pick-up (CPS) 2 -  no signal");
  EXPECT_EQ(l.pickup2.colour, Colour::ButtonFace);
  EXPECT_FALSE(l.version.visible);
  EXPECT_FALSE(l.dataError.visible);

  EXPECT_EQ(l.blocking.text, "Blocking = OFF");
  EXPECT_EQ(l.neutral.text, "Neutral sw. = OFF");
  EXPECT_EQ(l.neutral.colour, Colour::ButtonFace);
  EXPECT_EQ(l.sideStand.text, "Side stand sw. = ON");
  EXPECT_EQ(l.sideStand.colour, Colour::Lime);
  EXPECT_TRUE(l.blocking.visible && l.neutral.visible && l.sideStand.visible);

  d.rpmWarning = 1;
  d.blocking = 1;
  d.neutralOff = 0;
  d.dataError = 3;
  d.protocolVersion = 60;
  d.engineRpm = 30000;
  l = MonitorDisplay(d, m, 150, false);
  EXPECT_EQ(l.rpm.colour, Colour::Red);
  EXPECT_EQ(l.rpmGaugePosition, 100);
  EXPECT_EQ(l.blocking.text, "Blocking = ON");
  EXPECT_EQ(l.blocking.colour, Colour::Red);
  EXPECT_EQ(l.neutral.text, "Neutral sw. = ON");
  EXPECT_EQ(l.neutral.colour, Colour::Aqua);
  EXPECT_FALSE(l.blocking.visible || l.neutral.visible || l.sideStand.visible);
  EXPECT_TRUE(l.dataError.visible);
  EXPECT_EQ(l.dataError.text, "Programmed data error");
  EXPECT_TRUE(l.version.visible);
  EXPECT_EQ(l.version.text, "Unmatched version of PC and Ignition programs!  PC-61, IGN-60");
  EXPECT_EQ(MonitorDisplay(d, m, 0, false).rpmGaugePosition, 0);  // a zero limiter does not divide
}

TEST(Monitor, NearestPoint) {
  ParameterImage image;
  for (int i = 0; i < kBreakpointCount; ++i) image.rpmPoint(i) = static_cast<std::uint8_t>(10 * (i + 1));
  EXPECT_EQ(HighlightNearestPoint(1500, image), (NearestPoint{0, false}));  // half way goes down
  EXPECT_EQ(HighlightNearestPoint(1501, image), (NearestPoint{0, false}));
  EXPECT_EQ(HighlightNearestPoint(1600, image), (NearestPoint{1, false}));
  EXPECT_EQ(HighlightNearestPoint(900, image), (NearestPoint{0, true}));
  EXPECT_EQ(HighlightNearestPoint(1000, image), (NearestPoint{0, false}));
  EXPECT_EQ(HighlightNearestPoint(12000, image), (NearestPoint{9, false}));
  // 256 hundreds and more must not wrap to the bottom of the curve.
  EXPECT_EQ(HighlightNearestPoint(25600, image), (NearestPoint{9, false}));
  EXPECT_EQ(HighlightNearestPoint(65535, image), (NearestPoint{9, false}));
  image.rpmPoint(9) = 255;
  EXPECT_EQ(HighlightNearestPoint(25600, image), (NearestPoint{9, false}));
  EXPECT_EQ(HighlightNearestPoint(17200, image), (NearestPoint{8, false}));  // 90 + 255 >= 2 * 172
  EXPECT_EQ(HighlightNearestPoint(17300, image), (NearestPoint{9, false}));
}

TEST(Monitor, CsvRow) {
  const std::string header = MonitorCsvHeader();
  const std::string row = MonitorCsvRow(Sample(), 1234);
  EXPECT_EQ(std::count(header.begin(), header.end(), ','), std::count(row.begin(), row.end(), ','));
  EXPECT_EQ(header.substr(0, 17), "time_ms,engineRpm");
  EXPECT_EQ(row, "1234,7500,0,28,0,2000,14.231,12,1001,2001,3001,4001,5001,6001,7001,8001,0,1,1,0,300,0,61");
}

}  // namespace
}  // namespace zelmo
