// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared fixtures of the curve graph tests: the worked example image and a
// host and surface that record what the graph asked for.
#include <vector>

#include "core/curve/curve_graph.h"
#include "core/model/presets.h"

namespace zelmo::curve_test {

inline constexpr int kWidth = 202;
inline constexpr int kHeight = 122;

// Last breakpoint 10 000 rpm, limiter 15 000 rpm, highest advance 40 degrees,
// breakpoint 1 at 1000 rpm and 20 degrees.
inline ParameterImage ExampleImage() {
  ParameterImage image;
  image.baseAdvance() = 10;
  image.limiter() = 150;
  for (int i = 0; i < kBreakpointCount; ++i) {
    image.rpmPoint(i) = static_cast<std::uint8_t>(10 * (i + 1));
    image.advance(i) = static_cast<std::uint8_t>(20 + 2 * i);
  }
  image.advance(9) = 40;
  return image;
}

class FakeHost final : public CurveDocument, public CurveSurface {
 public:
  ParameterImage theImage = ExampleImage();
  OrderingMemory memory;
  StoredChoices choices;
  std::vector<int> focused;
  int refreshes = 0;
  int pushes = 0;
  struct Move {
    int x, y;
  };
  std::vector<Move> pointerMoves;
  ScreenPoint origin{1000, 500};
  bool echoesMoves = true;

  ParameterImage& image() override { return theImage; }
  OrderingMemory& orderingMemory() override { return memory; }
  StoredChoices& storedChoices() override { return choices; }
  void dragStepped() override { ++refreshes; }
  void focusField(int pointCode) override { focused.push_back(pointCode); }
  void dragReleased() override { ++pushes; }

  int graphWidth() const override { return kWidth; }
  int graphHeight() const override { return kHeight; }
  ScreenPoint screenOrigin() const override { return origin; }
  void movePointer(int screenX, int screenY) override { pointerMoves.push_back({screenX, screenY}); }
  bool reportsProgramMoves() const override { return echoesMoves; }
};

// A graph laid out for the host's image, as after the first tick.
inline CurveGraph LaidOut(const FakeHost& host) {
  CurveGraph graph;
  graph.rescale(kWidth, kHeight, host.theImage);
  graph.graphRequest = 0;
  return graph;
}

}  // namespace zelmo::curve_test
