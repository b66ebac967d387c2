// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/monitor.h"

#include <algorithm>
#include <cstdio>

namespace zelmo {

namespace {

namespace offset {
constexpr std::size_t kEngineRpm = 1;
constexpr std::size_t kRpmWarning = 3;
constexpr std::size_t kCurrentAdvance = 5;
constexpr std::size_t kBlocking = 7;
constexpr std::size_t kSupplyRaw = 9;
constexpr std::size_t kProgrammingCount = 11;
constexpr std::size_t kTestValues = 13;
constexpr std::size_t kSideStandOff = 29;
constexpr std::size_t kNeutralOff = 30;
constexpr std::size_t kPickup1Running = 31;
constexpr std::size_t kPickup2Running = 32;
constexpr std::size_t kSavingCountdown = 47;
constexpr std::size_t kDataError = 49;
constexpr std::size_t kProtocolVersion = 50;
}  // namespace offset

constexpr std::string_view kDataErrorText = "Programmed data error";

std::uint16_t Word(std::span<const std::uint8_t, kFrameSize> f, std::size_t at) {
  return static_cast<std::uint16_t>(f[at] | (f[at + 1] << 8));
}

void PutWord(Payload& p, std::size_t frameOffset, std::uint16_t value) {
  p[frameOffset - 1] = static_cast<std::uint8_t>(value & 0xFF);
  p[frameOffset] = static_cast<std::uint8_t>(value >> 8);
}

template <typename... Args>
std::string Format(const char* pattern, Args... args) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, pattern, args...);
  return std::string(buffer, static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(sizeof buffer) - 1)));
}

LabelState Label(std::string text, Colour colour = Colour::ButtonFace, bool visible = true) {
  return LabelState{std::move(text), colour, visible};
}

LabelState PickupLabel(const MessageTable& m, const char* number, std::uint8_t running) {
  std::string text = m.pickUp + number + (running ? m.isRunning : m.noSignal);
  return Label(std::move(text), running ? Colour::Lime : Colour::ButtonFace);
}

}  // namespace

std::optional<MonitorData> DecodeMonitorFrame(std::span<const std::uint8_t, kFrameSize> f) {
  if (!AcceptMonitorFrame(f)) return std::nullopt;
  MonitorData d;
  d.engineRpm = Word(f, offset::kEngineRpm);
  d.rpmWarning = f[offset::kRpmWarning];
  d.currentAdvance = f[offset::kCurrentAdvance];
  d.blocking = f[offset::kBlocking];
  d.supplyRaw = Word(f, offset::kSupplyRaw);
  d.programmingCount = Word(f, offset::kProgrammingCount);
  for (std::size_t i = 0; i < d.testValues.size(); ++i) d.testValues[i] = Word(f, offset::kTestValues + 2 * i);
  d.sideStandOff = f[offset::kSideStandOff];
  d.neutralOff = f[offset::kNeutralOff];
  d.pickup1Running = f[offset::kPickup1Running];
  d.pickup2Running = f[offset::kPickup2Running];
  d.savingCountdown = Word(f, offset::kSavingCountdown);
  d.dataError = f[offset::kDataError];
  d.protocolVersion = f[offset::kProtocolVersion];
  return d;
}

Frame EncodeMonitorFrame(const MonitorData& d) {
  Payload p{};
  auto at = [&p](std::size_t frameOffset) -> std::uint8_t& { return p[frameOffset - 1]; };
  PutWord(p, offset::kEngineRpm, d.engineRpm);
  at(offset::kRpmWarning) = d.rpmWarning;
  at(offset::kCurrentAdvance) = d.currentAdvance;
  at(offset::kBlocking) = d.blocking;
  PutWord(p, offset::kSupplyRaw, d.supplyRaw);
  PutWord(p, offset::kProgrammingCount, d.programmingCount);
  for (std::size_t i = 0; i < d.testValues.size(); ++i) PutWord(p, offset::kTestValues + 2 * i, d.testValues[i]);
  at(offset::kSideStandOff) = d.sideStandOff;
  at(offset::kNeutralOff) = d.neutralOff;
  at(offset::kPickup1Running) = d.pickup1Running;
  at(offset::kPickup2Running) = d.pickup2Running;
  PutWord(p, offset::kSavingCountdown, d.savingCountdown);
  at(offset::kDataError) = d.dataError;
  at(offset::kProtocolVersion) = d.protocolVersion;
  return BuildFrame(kMonitorReply, p);
}

int SupplyMillivolts(std::uint16_t supplyRaw) { return (supplyRaw * 5000 / 8184) * 11 + 800; }

float SupplyVolts(std::uint16_t supplyRaw) { return static_cast<float>(SupplyMillivolts(supplyRaw) * 0.001); }

Colour SupplyColour(int mv) {
  if (mv >= 17999 || mv <= 7000) return Colour::Red;
  if (mv >= 14999 || mv <= 11000) return Colour::Yellow;
  return Colour::ButtonFace;
}

std::string VersionMismatchText(const MessageTable& messages, std::uint8_t unitVersion) {
  return messages.versionMismatch + Format("  PC-%d, IGN-%d", int{kProtocolVersion}, int{unitVersion});
}

MonitorLabels MonitorDisplay(const MonitorData& d, const MessageTable& m, std::uint8_t limiter,
                             bool blockingLabelsShown) {
  MonitorLabels l;
  l.frameSeen = true;
  l.rpm = Label(Format("RPM = %d ", int{d.engineRpm}), d.rpmWarning ? Colour::Red : Colour::ButtonFace);
  // The ordering pass keeps the limiter at 10 or more; a zero one must not divide.
  l.rpmGaugePosition = limiter == 0 ? 0 : std::clamp(d.engineRpm / limiter, 0, 100);
  const int mv = SupplyMillivolts(d.supplyRaw);
  l.voltage = Label(Format("U = %4.1f [V]", static_cast<double>(SupplyVolts(d.supplyRaw))), SupplyColour(mv));
  l.blocking = d.blocking ? Label("Blocking = ON", Colour::Red, blockingLabelsShown)
                          : Label("Blocking = OFF", Colour::ButtonFace, blockingLabelsShown);
  l.neutral = d.neutralOff ? Label("Neutral sw. = OFF", Colour::ButtonFace, blockingLabelsShown)
                           : Label("Neutral sw. = ON", Colour::Aqua, blockingLabelsShown);
  l.sideStand = d.sideStandOff ? Label("Side stand sw. = OFF", Colour::ButtonFace, blockingLabelsShown)
                               : Label("Side stand sw. = ON", Colour::Lime, blockingLabelsShown);
  l.advance = Label(Format("ADVANCE = %d [\u00B0]", int{d.currentAdvance}));
  l.version = Label(d.protocolVersion == kProtocolVersion ? std::string() : VersionMismatchText(m, d.protocolVersion),
                    Colour::Red, d.protocolVersion != kProtocolVersion);
  l.pickup1 = PickupLabel(m, " 1 - ", d.pickup1Running);
  l.pickup2 = PickupLabel(m, " 2 - ", d.pickup2Running);
  l.dataError = Label(std::string(kDataErrorText), Colour::Red, d.dataError != 0);
  l.programmingCount = Label(Format("Number of Programing= %d ", int{d.programmingCount}));
  for (std::size_t i = 0; i < l.tests.size(); ++i) {
    l.tests[i] = Label(Format("Test%d = %d ", static_cast<int>(i + 1), int{d.testValues[i]}));
  }
  return l;
}

MonitorLabels MonitorPlaceholders(const MessageTable& m) {
  MonitorLabels l;
  l.rpm = Label("RPM = ---");
  l.voltage = Label("U = --- [V]");
  l.blocking = Label("Blocking = ---");
  l.neutral = Label("Neutral sw. = ---");
  l.sideStand = Label("Side stand sw. = ---");
  l.advance = Label(NoConnectionAdvanceCaption(m));
  l.version = Label({}, Colour::Red, false);
  l.pickup1 = Label(NoConnectionPickUpCaption(m, 1));
  l.pickup2 = Label(NoConnectionPickUpCaption(m, 2));
  l.dataError = Label(std::string(kDataErrorText), Colour::Red, false);
  l.programmingCount = Label("Number of Programing= ---");
  for (std::size_t i = 0; i < l.tests.size(); ++i) l.tests[i] = Label(Format("Test%d = ---", static_cast<int>(i + 1)));
  return l;
}

NearestPoint HighlightNearestPoint(std::uint16_t liveRpm, const ParameterImage& image) {
  // Saturate rather than wrap: 25 600 rpm must not look like idle.
  const int v = std::min(liveRpm / 100, 255);
  int i = 0;
  while (i < kBreakpointCount && image.rpmPoint(i) <= v) ++i;
  if (i == 0) return {0, true};
  if (i == kBreakpointCount) return {static_cast<std::uint8_t>(kBreakpointCount - 1), false};
  const bool lower = image.rpmPoint(i - 1) + image.rpmPoint(i) >= 2 * v;
  return {static_cast<std::uint8_t>(lower ? i - 1 : i), false};
}

std::string MonitorCsvHeader() {
  return "time_ms,engineRpm,rpmWarning,currentAdvance,blocking,supplyRaw,volts,programmingCount,"
         "test1,test2,test3,test4,test5,test6,test7,test8,sideStandOff,neutralOff,pickup1Running,"
         "pickup2Running,savingCountdown,dataError,protocolVersion";
}

std::string MonitorCsvRow(const MonitorData& d, long long timestampMs) {
  const int mv = SupplyMillivolts(d.supplyRaw);
  std::string row = Format("%lld,%d,%d,%d,%d,%d,%d.%03d,%d", timestampMs, int{d.engineRpm}, int{d.rpmWarning},
                           int{d.currentAdvance}, int{d.blocking}, int{d.supplyRaw}, mv / 1000, mv % 1000,
                           int{d.programmingCount});
  for (std::uint16_t t : d.testValues) row += Format(",%d", int{t});
  row += Format(",%d,%d,%d,%d,%d,%d,%d", int{d.sideStandOff}, int{d.neutralOff}, int{d.pickup1Running},
                int{d.pickup2Running}, int{d.savingCountdown}, int{d.dataError}, int{d.protocolVersion});
  return row;
}

}  // namespace zelmo
