// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The live values of a monitor frame (reply 0xB0) and the monitor labels they
// fill. Frame offsets, multi-byte values little-endian:
//   1 engineRpm(16)  3 rpmWarning  5 currentAdvance  7 blocking
//   9 supplyRaw(16)  11 programmingCount(16)  13 testValues(8 x 16)
//   29 sideStandOff  30 neutralOff  31 pickup1Running  32 pickup2Running
//   47 savingCountdown(16)  49 dataError  50 protocolVersion
// Offsets 4, 6, 8 and 33..46 are not interpreted.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/device/display_state.h"
#include "core/device/frame.h"
#include "core/lang/texts.h"
#include "core/model/parameter_image.h"

namespace zelmo {

struct MonitorData {
  std::uint16_t engineRpm = 0;
  std::uint8_t rpmWarning = 0;
  std::uint8_t currentAdvance = 0;
  std::uint8_t blocking = 0;
  std::uint16_t supplyRaw = 0;
  std::uint16_t programmingCount = 0;
  std::array<std::uint16_t, 8> testValues{};
  std::uint8_t sideStandOff = 0;
  std::uint8_t neutralOff = 0;
  std::uint8_t pickup1Running = 0;
  std::uint8_t pickup2Running = 0;
  std::uint16_t savingCountdown = 0;
  std::uint8_t dataError = 0;
  std::uint8_t protocolVersion = 0;

  bool operator==(const MonitorData&) const = default;
};

// Nothing unless the frame passes the monitor acceptance test.
std::optional<MonitorData> DecodeMonitorFrame(std::span<const std::uint8_t, kFrameSize> frame);
// The frame a unit sends for these values (uninterpreted bytes 0).
Frame EncodeMonitorFrame(const MonitorData& data);

// (raw * 5000 / 8184) * 11 + 800, the division truncated first.
int SupplyMillivolts(std::uint16_t supplyRaw);
float SupplyVolts(std::uint16_t supplyRaw);
// Red at >= 17999 or <= 7000 mV, yellow at >= 14999 or <= 11000, else button face.
Colour SupplyColour(int millivolts);

// The monitor labels as the last accepted frame left them.
struct MonitorLabels {
  bool frameSeen = false;    // false: the placeholders, no live value known
  LabelState rpm;            // LabelRpm
  int rpmGaugePosition = 0;  // CGaugeRpm, maximum 100
  LabelState voltage;        // LabelNapeti
  LabelState blocking;       // LabelBlocking
  LabelState neutral;        // LabelNeutral
  LabelState sideStand;      // LabelSideStand
  LabelState advance;        // LabelAdvance
  LabelState version;        // LabelVersion, red; hidden by the tick while "No Connection" shows
  LabelState pickup1;        // LabelMonSnimac1
  LabelState pickup2;        // LabelMonSnimac2
  LabelState dataError;      // LabelEeDataErr, red
  LabelState programmingCount;      // LabelPocetProgramovani
  std::array<LabelState, 8> tests;  // LabelTest1..8: texts only, visibility is the test mode's

  bool operator==(const MonitorLabels&) const = default;
};

// limiter: image byte 3 (hundreds of rpm); blockingLabelsShown: CheckBoxBlokEnable.
MonitorLabels MonitorDisplay(const MonitorData& data, const MessageTable& messages, std::uint8_t limiter,
                             bool blockingLabelsShown);

// The labels without a unit, as the window shows them at start-up: every value
// "---", the gauge empty, no banner. Also what stays while "No Connection"
// shows, so that nothing of a unit that is gone passes for live.
MonitorLabels MonitorPlaceholders(const MessageTable& messages);

// "  PC-61, IGN-<version>" after the version message.
std::string VersionMismatchText(const MessageTable& messages, std::uint8_t unitVersion);

struct NearestPoint {
  std::uint8_t nearestPoint = 0;
  bool belowCurve = false;

  bool operator==(const NearestPoint&) const = default;
};
// The breakpoint nearest to the live speed; speeds of 25 500 rpm and more all
// count as 255 hundreds.
NearestPoint HighlightNearestPoint(std::uint16_t liveRpm, const ParameterImage& image);

// CSV for the command-line monitor: a header, then one row per frame with the
// time stamp, every field and the volts. Neither ends in a newline.
std::string MonitorCsvHeader();
std::string MonitorCsvRow(const MonitorData& data, long long timestampMs);

}  // namespace zelmo
