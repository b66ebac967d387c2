// SPDX-License-Identifier: GPL-3.0-or-later
// The curve graph: one full drawing of the 202 x 122 bitmap (target well under
// 1 ms) and the idle tick that finds no request and draws nothing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QImage>

#include "core/curve/curve_graph.h"
#include "core/model/presets.h"
#include "curve/curve_painter.h"
#include "curve/curve_widget.h"

namespace zelmo {
namespace {

QApplication& App() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "curve_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

ParameterImage Shown() {
  ParameterImage image = NewParameters(0);
  image.limiter() = 150;
  return image;
}

class StillHost final : public CurveDocument {
 public:
  ParameterImage theImage = Shown();
  OrderingMemory memory;
  StoredChoices choices;
  ParameterImage& image() override { return theImage; }
  OrderingMemory& orderingMemory() override { return memory; }
  StoredChoices& storedChoices() override { return choices; }
  void dragStepped() override {}
  void dragReleased() override {}
};

void BM_CurveFullDrawing(benchmark::State& state) {
  App();
  const ParameterImage image = Shown();
  CurveGraph graph;
  graph.hovered = 3;
  graph.allMode = 1;
  CurveDrawing drawing;
  QImage bitmap;
  QFont font;
  font.setPixelSize(11);
  for (auto _ : state) {
    graph.request(GraphRescale);
    graph.draw(202, 122, image, 6500, Rgb{240, 240, 240}, Rgb{0, 0, 0}, drawing);
    DrawCurve(bitmap, drawing, font);
    benchmark::DoNotOptimize(bitmap.constBits());
  }
}
BENCHMARK(BM_CurveFullDrawing)->Unit(benchmark::kMicrosecond);

void BM_CurveWidgetIdleTick(benchmark::State& state) {
  App();
  StillHost host;
  CurveWidget widget(host);
  widget.tick(0);
  for (auto _ : state) benchmark::DoNotOptimize(widget.tick(0));
  if (widget.tick(0)) state.SkipWithError("an idle tick drew");
}
BENCHMARK(BM_CurveWidgetIdleTick);

void BM_CurveGraphIdleTick(benchmark::State& state) {
  CurveGraph graph;
  graph.graphRequest = 0;
  for (auto _ : state) benchmark::DoNotOptimize(graph.tick(false, 0));
}
BENCHMARK(BM_CurveGraphIdleTick);

}  // namespace
}  // namespace zelmo
