// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "core/curve/curve_graph.h"

namespace zelmo {
namespace {

using namespace curve_colour;

class ItemSink {
 public:
  explicit ItemSink(std::vector<DrawItem>& items) : items_(items) {}

  void fill(int x1, int y1, int x2, int y2, Rgb colour) { add(DrawKind::Fill, x1, y1, x2, y2, colour); }
  void line(int x1, int y1, int x2, int y2, Rgb colour) { add(DrawKind::Line, x1, y1, x2, y2, colour); }
  void frame(int x1, int y1, int x2, int y2, Rgb colour) { add(DrawKind::Outline, x1, y1, x2, y2, colour); }
  void roundSquare(int x1, int y1, int x2, int y2, Rgb outline, Rgb inside) {
    add(DrawKind::RoundSquare, x1, y1, x2, y2, outline).fill = inside;
  }
  void text(int x1, int y1, const char* format, int value, Rgb background, Rgb colour) {
    DrawItem& item = add(DrawKind::Text, x1, y1, x1, y1, colour);
    item.fill = background;
    std::snprintf(item.text.data(), item.text.size(), format, value);
  }

 private:
  DrawItem& add(DrawKind kind, int x1, int y1, int x2, int y2, Rgb colour) {
    DrawItem& item = items_.emplace_back();
    item.kind = kind;
    item.x1 = x1;
    item.y1 = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.colour = colour;
    return item;
  }

  std::vector<DrawItem>& items_;
};

}  // namespace

void CurveGraph::draw(int width, int height, const ParameterImage& image, int liveRpm, Rgb background, Rgb text,
                      CurveDrawing& out) {
  if ((graphRequest & GraphRescale) != 0) rescale(width, height, image);
  graphRequest = 0;

  const DrawnFrom from{width,  height, image,   background, text,      grabbed,    hovered, allMode,
                       scaleX, scaleY, originX, originY,    plotWidth, plotHeight, rpmMax,  degMax};
  const bool onlyLiveMoved = !out.items.empty() && out.drawnFrom == from;
  const int wasLiveX = out.liveX;
  out.drawnFrom = from;
  out.liveX = liveRpm != 0 ? x(liveRpm) : kNoLiveLine;
  out.partial = onlyLiveMoved;
  out.changed.clear();
  if (onlyLiveMoved && wasLiveX != out.liveX) {
    // The line runs from the axis up to the plot's top edge.
    for (const int column : {wasLiveX, out.liveX}) {
      if (column != kNoLiveLine) out.changed.push_back({column, originY - plotHeight, 1, plotHeight + 1});
    }
  }

  out.width = width;
  out.height = height;
  out.items.clear();
  ItemSink sink(out.items);
  const int top = originY - plotHeight;
  const int right = originX + plotWidth;

  sink.fill(0, 0, width, height, background);
  sink.fill(originX, originY, right, top, kCream);
  const int xL = x(UserValue(image, Field::Limiter));
  sink.fill(xL, originY, right, top, kSilver);

  for (int i = 1; i <= rpmMax / 1000; ++i) sink.line(gridX(i), originY + 3, gridX(i), top, kGrid);
  for (int j = 1; j <= degMax / 5; ++j) sink.line(originX - 3, gridY(j), right, gridY(j), kGrid);

  const bool evenThousands = rpmMax >= 15000;
  for (int i = 0; i <= rpmMax / 1000; ++i) {
    if (evenThousands && i % 2 != 0) continue;
    sink.text(gridX(i) - 7, originY + 2, "%ik", i, background, text);
  }
  const bool evenTens = degMax >= 40;
  for (int j = 0; j <= degMax / 5; ++j) {
    if (evenTens && j % 2 != 0) continue;
    sink.text(originX - 20, gridY(j) - 4, "%i", j * 5, background, text);
  }

  sink.line(originX, originY, originX, top - 1, kBlack);
  sink.line(originX - 1, originY, originX - 1, top - 1, kBlack);
  sink.line(originX, originY, right, originY, kBlack);
  sink.line(originX, originY + 1, right, originY + 1, kBlack);

  // Breakpoints are joined in index order, as stored.
  int px = x(0);
  int py = y(UserValue(image, Field::BaseAdvance));
  for (int p = 0; p <= kBreakpointCount; ++p) {
    const bool end = p == kBreakpointCount;
    const int cx = x(end ? rpmMax : PointSpeed(image, p));
    const int cy = y(PointAdvance(image, end ? kBreakpointCount - 1 : p));
    if (p == 0) {
      sink.line(px, py, cx, py, kRed);
      sink.line(px, py - 1, cx, py - 1, kRed);
      sink.line(cx, py, cx, cy, kRed);
      sink.line(cx - 1, py, cx - 1, cy, kRed);
    } else {
      sink.line(px, py, cx, cy, kRed);
      sink.line(px, py - 1, cx, cy - 1, kRed);
      sink.line(px - 1, py - 1, cx - 1, cy - 1, kRed);
      sink.line(px + 1, py - 1, cx + 1, cy - 1, kRed);
    }
    px = cx;
    py = cy;
  }

  const bool frameAll = allMode != 0 && (IsBreakpointCode(grabbed) || IsBreakpointCode(hovered));
  const Rgb frameColour = (grabbed == BasePoint || IsBreakpointCode(grabbed)) ? kBlue : kRed;
  for (int p = BasePoint; p < kBreakpointCount; ++p) {
    const int cx = x(PointSpeed(image, p));
    const int cy = y(PointAdvance(image, p));
    sink.roundSquare(cx - 3, cy - 3, cx + 3, cy + 3, kRed, kYellow);
    if (p == grabbed || p == hovered || (frameAll && IsBreakpointCode(p)))
      sink.frame(cx - 5, cy - 5, cx + 4, cy + 4, frameColour);
  }

  if (grabbed == LimiterPoint || hovered == LimiterPoint) {
    const Rgb colour = grabbed == LimiterPoint ? kBlue : kRed;
    sink.line(xL, originY, xL, top, colour);
    sink.line(xL + 1, originY, xL + 1, top, colour);
  }

  // Last, over everything: a moved line changes its two columns and nothing else.
  if (liveRpm != 0) sink.line(x(liveRpm), originY, x(liveRpm), top, kGreen);

  out.hint = CurveHint(*this, image);
}

std::string CurveHint(const CurveGraph& graph, const ParameterImage& image) {
  char text[64] = "";
  const auto describe = [&](int code, bool moving) {
    const char* tail = moving ? " (move)" : "";
    if (IsBreakpointCode(code)) {
      std::snprintf(text, sizeof text, "  rpm=%i; advance=%i\u00b0%s", PointSpeed(image, code),
                    PointAdvance(image, code), tail);
    } else if (code == BasePoint) {
      std::snprintf(text, sizeof text, "  BASE advance=%i\u00b0%s", PointAdvance(image, BasePoint), tail);
    } else if (code == LimiterPoint) {
      std::snprintf(text, sizeof text, "  Limiter=%i%s", UserValue(image, Field::Limiter), tail);
    }
  };
  describe(graph.grabbed, true);
  describe(graph.hovered, false);
  return text;
}

}  // namespace zelmo
