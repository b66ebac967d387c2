// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine the simulated unit pretends to be fitted to: a slow sweep from
// idle up to the rev limiter and back, with the advance the stored curve asks
// for at that speed. A pure function of time and the stored block, so replies
// are reproducible.
#include <cstdint>
#include <span>

#include "core/model/parameter_image.h"

namespace zelmo::sim {

inline constexpr int kIdleRpm = 1200;
// One sweep up and one down; long enough that a poll every 330 ms sees a
// smooth speed.
inline constexpr std::int64_t kSweepMs = 16000;
// Every sweep starts parked: idling in neutral with the stand down, then a
// moment in gear with the stand still down, which the side-stand blocking
// (when enabled) answers by cutting the ignition.
inline constexpr std::int64_t kParkedMs = 2000;
inline constexpr std::int64_t kStandInGearMs = 600;

struct EngineState {
  std::uint16_t rpm = 0;
  bool atLimiter = false;
  std::uint8_t advance = 0;     // degrees
  std::uint16_t supplyRaw = 0;  // converter counts
  bool sideStandOff = false;
  bool neutralOff = false;
  bool blocking = false;
  bool pickup1Running = false;
  bool pickup2Running = false;
};

// Advance in degrees at a speed: the base advance below the first breakpoint,
// straight lines between breakpoints, the last advance above the last one.
std::uint8_t CurveAdvance(std::span<const std::uint8_t, kImageSize> block, int rpm);

// Converter counts for a supply voltage in millivolts (the inverse of the
// tool's scaling, rounded so the tool shows that voltage).
std::uint16_t SupplyRawForMillivolts(int millivolts);

EngineState EngineAt(std::span<const std::uint8_t, kImageSize> block, std::int64_t nowMs);

}  // namespace zelmo::sim
