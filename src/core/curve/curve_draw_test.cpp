// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/curve/curve_graph.h"
#include "core/curve/curve_test_support.h"

namespace zelmo {
namespace {

using namespace curve_colour;
using curve_test::ExampleImage;
using curve_test::kHeight;
using curve_test::kWidth;

constexpr Rgb kFace{240, 240, 240};

struct Drawn {
  CurveGraph graph;
  CurveDrawing drawing;
};

Drawn DrawExample(void (*setUp)(CurveGraph&) = nullptr, int liveRpm = 0, const ParameterImage& image = ExampleImage()) {
  Drawn d;
  d.graph.rescale(kWidth, kHeight, image);
  if (setUp != nullptr) setUp(d.graph);
  d.graph.request(GraphRedraw);
  d.graph.draw(kWidth, kHeight, image, liveRpm, kFace, kBlack, d.drawing);
  return d;
}

std::vector<DrawItem> Of(const CurveDrawing& drawing, DrawKind kind, Rgb colour) {
  std::vector<DrawItem> found;
  for (const DrawItem& item : drawing.items) {
    if (item.kind == kind && item.colour == colour) found.push_back(item);
  }
  return found;
}

bool Same(const DrawItem& item, int x1, int y1, int x2, int y2) {
  return item.x1 == x1 && item.y1 == y1 && item.x2 == x2 && item.y2 == y2;
}

std::vector<std::string> Texts(const CurveDrawing& drawing) {
  std::vector<std::string> texts;
  for (const DrawItem& item : drawing.items) {
    if (item.kind == DrawKind::Text) texts.emplace_back(item.textData());
  }
  return texts;
}

TEST(CurveDrawing, BackgroundPlotAndLimiterRange) {
  const Drawn d = DrawExample();
  ASSERT_GE(d.drawing.items.size(), 3U);
  const DrawItem& face = d.drawing.items[0];
  EXPECT_EQ(face.kind, DrawKind::Fill);
  EXPECT_EQ(face.colour, kFace);
  EXPECT_TRUE(Same(face, 0, 0, kWidth, kHeight));
  EXPECT_EQ(d.drawing.items[1].colour, kCream);
  EXPECT_TRUE(Same(d.drawing.items[1], 25, 107, 192, 5));
  EXPECT_EQ(d.drawing.items[2].colour, kSilver);
  EXPECT_TRUE(Same(d.drawing.items[2], 168, 107, 192, 5));
}

TEST(CurveDrawing, GridLinesReachBelowTheAxisAsTicks) {
  const Drawn d = DrawExample();
  const auto grid = Of(d.drawing, DrawKind::Line, kGrid);
  ASSERT_EQ(grid.size(), 17U + 9U);
  EXPECT_TRUE(Same(grid[0], 35, 110, 35, 5));
  EXPECT_TRUE(Same(grid[16], 187, 110, 187, 5));
  EXPECT_TRUE(Same(grid[17], 22, 96, 192, 96));
  EXPECT_TRUE(Same(grid[25], 22, 5, 192, 5));
}

// On a dark desktop the margins and the labels take the window's colours; the
// plot keeps its own.
TEST(CurveDrawing, LabelsTakeTheWindowsTextColour) {
  CurveGraph graph;
  CurveDrawing drawing;
  constexpr Rgb kDark{53, 53, 53};
  constexpr Rgb kLight{255, 255, 255};
  graph.request(GraphRescale);
  graph.draw(kWidth, kHeight, ExampleImage(), 0, kDark, kLight, drawing);
  EXPECT_EQ(Of(drawing, DrawKind::Text, kLight).size(), Texts(drawing).size());
  for (const DrawItem& item : Of(drawing, DrawKind::Text, kLight)) EXPECT_EQ(item.fill, kDark);
  EXPECT_EQ(Of(drawing, DrawKind::Fill, kCream).size(), 1U);
}

TEST(CurveDrawing, LabelsOfTheWorkedExample) {
  const Drawn d = DrawExample();
  EXPECT_EQ(Texts(d.drawing), (std::vector<std::string>{"0k", "2k", "4k", "6k", "8k", "10k", "12k", "14k", "16k", "0",
                                                        "10", "20", "30", "40"}));
  const auto texts = Of(d.drawing, DrawKind::Text, kBlack);
  ASSERT_EQ(texts.size(), 14U);
  EXPECT_EQ(texts[0].x1, 18);
  EXPECT_EQ(texts[0].y1, 109);
  EXPECT_EQ(texts[0].fill, kFace);
  EXPECT_EQ(std::string(texts[10].textData()), "10");
  EXPECT_EQ(texts[10].x1, 5);
  EXPECT_EQ(texts[10].y1, 80);
}

TEST(CurveDrawing, SmallRangesLabelEveryStep) {
  ParameterImage image = ExampleImage();
  image.rpmPoint(9) = 90;
  image.limiter() = 90;
  for (int i = 0; i < kBreakpointCount; ++i) image.advance(i) = 33;
  const Drawn d = DrawExample(nullptr, 0, image);
  EXPECT_EQ(Texts(d.drawing), (std::vector<std::string>{"0k", "1k", "2k", "3k", "4k", "5k", "6k", "7k", "8k", "9k",
                                                         "10k", "0", "5", "10", "15", "20", "25", "30", "35"}));
}

TEST(CurveDrawing, TwoPixelAxes) {
  const Drawn d = DrawExample();
  const auto axes = Of(d.drawing, DrawKind::Line, kBlack);
  ASSERT_EQ(axes.size(), 4U);
  EXPECT_TRUE(Same(axes[0], 25, 107, 25, 4));
  EXPECT_TRUE(Same(axes[1], 24, 107, 24, 4));
  EXPECT_TRUE(Same(axes[2], 25, 107, 192, 107));
  EXPECT_TRUE(Same(axes[3], 25, 108, 192, 108));
}

TEST(CurveDrawing, CurveStepsFromTheBaseThenJoinsTheBreakpoints) {
  const Drawn d = DrawExample();
  const auto curve = Of(d.drawing, DrawKind::Line, kRed);
  ASSERT_EQ(curve.size(), 4U + 10U * 4U);
  EXPECT_TRUE(Same(curve[0], 25, 84, 34, 84));
  EXPECT_TRUE(Same(curve[1], 25, 83, 34, 83));
  EXPECT_TRUE(Same(curve[2], 34, 84, 34, 61));
  EXPECT_TRUE(Same(curve[3], 33, 84, 33, 61));
  // Breakpoint 1 (34, 61) to breakpoint 2 (44, 57), with its three companions.
  EXPECT_TRUE(Same(curve[4], 34, 61, 44, 57));
  EXPECT_TRUE(Same(curve[5], 34, 60, 44, 56));
  EXPECT_TRUE(Same(curve[6], 33, 60, 43, 56));
  EXPECT_TRUE(Same(curve[7], 35, 60, 45, 56));
  // Level from breakpoint 10 to the end of the axis.
  EXPECT_TRUE(Same(curve[40], 120, 16, d.graph.x(17500), 16));
}

TEST(CurveDrawing, MarkersOnBaseAndBreakpointsOnly) {
  const Drawn d = DrawExample();
  const auto markers = Of(d.drawing, DrawKind::RoundSquare, kRed);
  ASSERT_EQ(markers.size(), 11U);
  EXPECT_TRUE(Same(markers[0], 22, 81, 28, 87));
  EXPECT_TRUE(Same(markers[1], 31, 58, 37, 64));
  EXPECT_EQ(markers[1].fill, kYellow);
  EXPECT_TRUE(Of(d.drawing, DrawKind::Outline, kRed).empty());
  EXPECT_TRUE(Of(d.drawing, DrawKind::Outline, kBlue).empty());
  EXPECT_TRUE(d.drawing.hint.empty());
}

TEST(CurveDrawing, OutlinesFollowHoverGrabAndShift) {
  const Drawn hovered = DrawExample([](CurveGraph& g) { g.hovered = 0; });
  const auto red = Of(hovered.drawing, DrawKind::Outline, kRed);
  ASSERT_EQ(red.size(), 1U);
  EXPECT_TRUE(Same(red[0], 29, 56, 38, 65));

  const Drawn all = DrawExample([](CurveGraph& g) {
    g.hovered = 3;
    g.allMode = 1;
  });
  EXPECT_EQ(Of(all.drawing, DrawKind::Outline, kRed).size(), 10U);

  const Drawn grabbedAll = DrawExample([](CurveGraph& g) {
    g.grabbed = 3;
    g.allMode = 1;
  });
  EXPECT_EQ(Of(grabbedAll.drawing, DrawKind::Outline, kBlue).size(), 10U);

  const Drawn base = DrawExample([](CurveGraph& g) {
    g.grabbed = BasePoint;
    g.allMode = 1;
  });
  const auto blue = Of(base.drawing, DrawKind::Outline, kBlue);
  ASSERT_EQ(blue.size(), 1U);
  EXPECT_TRUE(Same(blue[0], 20, 79, 29, 88));
}

TEST(CurveDrawing, LimiterLineOnlyWhenHoveredOrGrabbed) {
  EXPECT_TRUE(Of(DrawExample().drawing, DrawKind::Line, kBlue).empty());
  const Drawn hovered = DrawExample([](CurveGraph& g) { g.hovered = LimiterPoint; });
  const auto red = Of(hovered.drawing, DrawKind::Line, kRed);
  ASSERT_EQ(red.size(), 44U + 2U);
  EXPECT_TRUE(Same(red[44], 168, 107, 168, 5));
  EXPECT_TRUE(Same(red[45], 169, 107, 169, 5));
  const Drawn grabbed = DrawExample([](CurveGraph& g) { g.grabbed = LimiterPoint; });
  EXPECT_EQ(Of(grabbed.drawing, DrawKind::Line, kBlue).size(), 2U);
  EXPECT_TRUE(Of(grabbed.drawing, DrawKind::Outline, kRed).empty());
}

TEST(CurveDrawing, LiveSpeedLineUnclampedAndAbsentAtZero) {
  EXPECT_TRUE(Of(DrawExample(nullptr, 0).drawing, DrawKind::Line, kGreen).empty());
  const auto live = Of(DrawExample(nullptr, 5000).drawing, DrawKind::Line, kGreen);
  ASSERT_EQ(live.size(), 1U);
  EXPECT_TRUE(Same(live[0], 72, 107, 72, 5));
  const auto beyond = Of(DrawExample(nullptr, 25000).drawing, DrawKind::Line, kGreen);
  ASSERT_EQ(beyond.size(), 1U);
  EXPECT_GT(beyond[0].x1, kWidth);
}

TEST(CurveDrawing, HintNamesTheHoveredOrGrabbedPoint) {
  const ParameterImage image = ExampleImage();
  CurveGraph graph;
  EXPECT_EQ(CurveHint(graph, image), "");
  graph.grabbed = 0;
  EXPECT_EQ(CurveHint(graph, image), "  rpm=1000; advance=20\u00b0 (move)");
  graph.grabbed = BasePoint;
  EXPECT_EQ(CurveHint(graph, image), "  BASE advance=10\u00b0 (move)");
  graph.grabbed = LimiterPoint;
  EXPECT_EQ(CurveHint(graph, image), "  Limiter=15000 (move)");
  graph.grabbed = NoPoint;
  graph.hovered = 9;
  EXPECT_EQ(CurveHint(graph, image), "  rpm=10000; advance=40\u00b0");
  graph.hovered = BasePoint;
  EXPECT_EQ(CurveHint(graph, image), "  BASE advance=10\u00b0");
  graph.hovered = LimiterPoint;
  EXPECT_EQ(CurveHint(graph, image), "  Limiter=15000");
}

TEST(CurveDrawing, ARedrawReplacesThePreviousItems) {
  Drawn d = DrawExample();
  const auto count = d.drawing.items.size();
  d.graph.request(GraphRedraw);
  d.graph.draw(kWidth, kHeight, ExampleImage(), 0, kFace, kBlack, d.drawing);
  EXPECT_EQ(d.drawing.items.size(), count);
  EXPECT_EQ(d.drawing.width, kWidth);
  EXPECT_EQ(d.drawing.height, kHeight);
}

// At every tick of a running engine only the live line moves: the drawing
// says which columns changed, and anything else it shows makes it whole again.
TEST(CurveDrawing, AMovedLiveLineChangesItsTwoColumnsOnly) {
  Drawn d = DrawExample(nullptr, 5000);
  EXPECT_FALSE(d.drawing.partial);  // the first drawing of its object
  const auto redraw = [&d](int liveRpm, const ParameterImage& image = ExampleImage(), Rgb face = kFace) {
    d.graph.request(GraphRedraw);
    d.graph.draw(kWidth, kHeight, image, liveRpm, face, kBlack, d.drawing);
  };
  const std::vector<DrawItem> withLineAt5000 = d.drawing.items;

  redraw(3000);
  EXPECT_TRUE(d.drawing.partial);
  const int at3000 = d.graph.x(3000);
  EXPECT_EQ(d.drawing.changed, (std::vector<DrawBox>{{72, 5, 1, 103}, {at3000, 5, 1, 103}}));
  redraw(3000);
  EXPECT_TRUE(d.drawing.partial);
  EXPECT_TRUE(d.drawing.changed.empty());
  redraw(0);
  EXPECT_EQ(d.drawing.changed, (std::vector<DrawBox>{{at3000, 5, 1, 103}}));
  redraw(5000);
  EXPECT_EQ(d.drawing.changed, (std::vector<DrawBox>{{72, 5, 1, 103}}));
  EXPECT_EQ(d.drawing.items.size(), withLineAt5000.size());

  d.graph.hovered = 3;
  redraw(5000);
  EXPECT_FALSE(d.drawing.partial);
  redraw(4000);
  EXPECT_TRUE(d.drawing.partial);
  ParameterImage changed = ExampleImage();
  changed.area[field::kBaseAdvance] += 2;
  redraw(4000, changed);
  EXPECT_FALSE(d.drawing.partial);
  redraw(4000, changed, Rgb{30, 30, 30});
  EXPECT_FALSE(d.drawing.partial);
  d.graph.request(GraphRescale);
  d.graph.draw(kWidth + 40, kHeight, changed, 4000, Rgb{30, 30, 30}, kBlack, d.drawing);
  EXPECT_FALSE(d.drawing.partial);
}

}  // namespace
}  // namespace zelmo
