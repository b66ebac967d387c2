// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/engine_model.h"

#include <algorithm>

#include "core/model/parameter_table.h"

namespace zelmo::sim {
namespace {

// A field of the block in user units: rpm and degrees.
int User(std::span<const std::uint8_t, kImageSize> block, Field f, int i = 0) {
  const ParameterSpec& spec = SpecOf(f);
  return ToUser(spec, block[spec.offset + static_cast<std::size_t>(i)]);
}
int Rpm(std::span<const std::uint8_t, kImageSize> block, int i) { return User(block, Field::RpmPoint, i); }
int Advance(std::span<const std::uint8_t, kImageSize> block, int i) { return User(block, Field::Advance, i); }

}  // namespace

std::uint8_t CurveAdvance(std::span<const std::uint8_t, kImageSize> block, int rpm) {
  if (rpm < Rpm(block, 0)) return block[field::kBaseAdvance];
  for (int i = 1; i < kBreakpointCount; ++i) {
    const int lo = Rpm(block, i - 1);
    const int hi = Rpm(block, i);
    if (rpm < hi) {
      // An unordered curve has hi <= lo here; the unit then holds the lower point.
      if (hi <= lo) return static_cast<std::uint8_t>(Advance(block, i - 1));
      const int a = Advance(block, i - 1) + (Advance(block, i) - Advance(block, i - 1)) * (rpm - lo) / (hi - lo);
      return static_cast<std::uint8_t>(std::clamp(a, 0, 255));
    }
  }
  return static_cast<std::uint8_t>(Advance(block, kBreakpointCount - 1));
}

std::uint16_t SupplyRawForMillivolts(int millivolts) {
  const int steps = std::max(0, (millivolts - 800) / 11);
  // Smallest count whose truncated scaling reaches that many steps.
  return static_cast<std::uint16_t>((steps * 8184 + 4999) / 5000);
}

EngineState EngineAt(std::span<const std::uint8_t, kImageSize> block, std::int64_t nowMs) {
  EngineState s;
  const std::int64_t t = ((nowMs % kSweepMs) + kSweepMs) % kSweepMs;
  const int top = std::max(kIdleRpm, User(block, Field::Limiter));
  const std::int64_t sweepStart = kParkedMs + kStandInGearMs;
  if (t < sweepStart) {
    s.neutralOff = t >= kParkedMs;
    s.blocking = s.neutralOff && block[field::kBlockEnable] != 0;
    s.rpm = s.blocking ? 0 : kIdleRpm;
  } else {
    const std::int64_t half = (kSweepMs - sweepStart) / 2;
    const std::int64_t u = t - sweepStart;
    const std::int64_t rise = u < half ? u : 2 * half - u;
    s.rpm = static_cast<std::uint16_t>(kIdleRpm + (top - kIdleRpm) * rise / half);
    s.sideStandOff = true;
    s.neutralOff = true;
  }
  s.atLimiter = s.rpm >= top;
  s.advance = CurveAdvance(block, s.rpm);
  // The charging system lifts the battery from 12.6 V at idle to 14.4 V at
  // speed; a stalled engine leaves the battery alone.
  const int millivolts = s.rpm == 0 ? 12400 : 12600 + 1800 * (s.rpm - kIdleRpm) / std::max(1, top - kIdleRpm);
  s.supplyRaw = SupplyRawForMillivolts(millivolts);
  s.pickup1Running = s.rpm > 0;
  s.pickup2Running = s.rpm > 0;
  return s;
}

}  // namespace zelmo::sim
