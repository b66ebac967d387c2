// SPDX-License-Identifier: GPL-3.0-or-later
// The ride viewer with a recording of one million rows (about four days at
// the monitor's three frames a second): opening it (read, parse, index; the
// target is under one second) and one redraw of the plot at a zoom or pan
// (the target is under 16 ms, one frame at 60 Hz).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/device/monitor.h"
#include "ride/ride_data.h"
#include "ride/ride_painter.h"

namespace zelmo {
namespace {

constexpr int kRows = 1000000;

QGuiApplication& App() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "ride_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return app;
}

const std::filesystem::path& Recording() {
  static const std::filesystem::path file = [] {
    const auto path = std::filesystem::temp_directory_path() / "zelmo_ride_bench.csv";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fputs((MonitorCsvHeader() + "\n").c_str(), out);
    for (int i = 0; i < kRows; ++i) {
      MonitorData d;
      d.engineRpm = static_cast<std::uint16_t>(5000 + 4000 * std::sin(i / 500.0) + (static_cast<long long>(i) * 7919) % 300);
      d.currentAdvance = static_cast<std::uint8_t>(10 + d.engineRpm / 500);
      d.supplyRaw = static_cast<std::uint16_t>(1900 + i % 97);
      d.sideStandOff = static_cast<std::uint8_t>((i / 5000) % 2);
      d.pickup1Running = 1;
      std::fputs((MonitorCsvRow(d, 333LL * i) + "\n").c_str(), out);
    }
    std::fclose(out);
    return path;
  }();
  return file;
}

void BM_OpenMillionRows(benchmark::State& state) {
  const auto& file = Recording();
  for (auto _ : state) {
    RideLogRead read = ReadRideLog(file);
    RideData data(std::move(read.log));
    benchmark::DoNotOptimize(data.visits().most);
  }
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
}
BENCHMARK(BM_OpenMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// state.range(0): the view's share of the ride in per mille (1000: the whole).
void BM_RedrawPlot(benchmark::State& state) {
  App();
  static const RideData data(ReadRideLog(Recording()).log);
  QImage image(1280, 720, QImage::Format_RGB32);
  const TimeView whole = data.whole();
  const std::int64_t span = whole.span() * state.range(0) / 1000;
  std::int64_t shift = 0;
  for (auto _ : state) {
    // Each redraw pans a little, as a drag does.
    shift = (shift + span / 50) % std::max<std::int64_t>(1, whole.span() - span);
    const RideScene scene{&data, TimeView{whole.fromMs + shift, whole.fromMs + shift + span},
                          whole.fromMs + shift + span / 2, 0};
    QPainter painter(&image);
    PaintRidePlot(painter, QRectF(image.rect()), scene);
  }
}
BENCHMARK(BM_RedrawPlot)->Arg(1000)->Arg(100)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelmo
