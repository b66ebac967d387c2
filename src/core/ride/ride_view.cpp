// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ride/ride_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace zelmo {
namespace {

TimeView Within(std::int64_t from, std::int64_t span, const TimeView& whole) {
  span = std::clamp(span, kMinSpanMs, whole.span());
  from = std::clamp(from, whole.fromMs, whole.toMs - span);
  return {from, from + span};
}

}  // namespace

TimeView WholeRide(std::int64_t firstMs, std::int64_t lastMs) {
  return {firstMs, std::max(lastMs, firstMs + kMinSpanMs)};
}

TimeView ZoomAround(const TimeView& view, std::int64_t anchorMs, double factor, const TimeView& whole) {
  if (!(factor > 0)) return view;
  const double span = std::clamp(static_cast<double>(view.span()) * factor, static_cast<double>(kMinSpanMs),
                                 static_cast<double>(whole.span()));
  const double share = static_cast<double>(anchorMs - view.fromMs) / static_cast<double>(view.span());
  const auto from = static_cast<std::int64_t>(std::llround(static_cast<double>(anchorMs) - share * span));
  return Within(from, static_cast<std::int64_t>(std::llround(span)), whole);
}

TimeView Pan(const TimeView& view, std::int64_t deltaMs, const TimeView& whole) {
  return Within(view.fromMs + deltaMs, view.span(), whole);
}

double NiceStep(double span, int maxTicks) {
  if (!(span > 0) || maxTicks < 1) return 1;
  const double rough = span / maxTicks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= rough * (1 - 1e-9)) return m * power;
  }
  return 10 * power;
}

std::vector<double> TicksBetween(double lo, double hi, double step) {
  std::vector<double> ticks;
  if (!(step > 0) || hi < lo) return ticks;
  for (double k = std::ceil(lo / step - 1e-9); k * step <= hi + step * 1e-9 && ticks.size() < 1000; ++k) {
    ticks.push_back(k * step);
  }
  return ticks;
}

std::int64_t NiceTimeStepMs(std::int64_t spanMs, int maxTicks) {
  constexpr std::array<std::int64_t, 22> kSteps{
      100,    200,    500,    1000,    2000,    5000,    10000,    15000,    30000,    60000,    120000,
      300000, 600000, 900000, 1800000, 3600000, 7200000, 10800000, 21600000, 43200000, 86400000, 172800000};
  const std::int64_t rough = spanMs / std::max(maxTicks, 1);
  for (std::int64_t s : kSteps) {
    if (s >= rough) return s;
  }
  return kSteps.back() * ((rough + kSteps.back() - 1) / kSteps.back());
}

std::string TimeLabel(std::int64_t ms, std::int64_t stepMs) {
  const bool negative = ms < 0;
  const std::int64_t a = negative ? -ms : ms;
  const std::int64_t h = a / 3600000;
  const std::int64_t m = a / 60000 % 60;
  const std::int64_t s = a / 1000 % 60;
  char text[48];
  if (h > 0) {
    std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld", negative ? "-" : "", static_cast<long long>(h),
                  static_cast<long long>(m), static_cast<long long>(s));
  } else {
    std::snprintf(text, sizeof text, "%s%lld:%02lld", negative ? "-" : "", static_cast<long long>(m),
                  static_cast<long long>(s));
  }
  std::string label = text;
  if (stepMs < 1000) label += "." + std::to_string(a / 100 % 10);
  return label;
}

}  // namespace zelmo
