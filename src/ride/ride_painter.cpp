// SPDX-License-Identifier: GPL-3.0-or-later
#include "ride/ride_painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/curve/curve_graph.h"
#include "core/ride/ride_texts.h"
#include "curve/curve_painter.h"

namespace zelmo {
namespace {

const QColor kBackground(255, 255, 255);
const QColor kInk(0, 0, 0);
const QColor kGridLine(226, 226, 226);
const QColor kSpeedColour(0, 60, 200);
const QColor kAdvanceColour(200, 30, 30);
const QColor kSupplyColour(0, 128, 60);
const QColor kSwitchColour(80, 80, 80);
const QColor kCursorColour(255, 140, 0);

QString Text(RideText text, std::uint8_t language) {
  const std::string_view t = RideTextOf(text, language);
  return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

struct Lane {
  RideQuantity quantity;
  RideText title;
  QColor colour;
  bool step;  // a switch: drawn as a step line between off and on
  double weight;
};

// Top to bottom.
constexpr double kSwitchWeight = 0;
const Lane kLanes[] = {
    {RideQuantity::EngineRpm, RideText::Speed, kSpeedColour, false, 2.0},
    {RideQuantity::Advance, RideText::Advance, kAdvanceColour, false, 1.5},
    {RideQuantity::Volts, RideText::Supply, kSupplyColour, false, 1.0},
    {RideQuantity::Blocking, RideText::Blocking, kSwitchColour, true, kSwitchWeight},
    {RideQuantity::NeutralOff, RideText::Neutral, kSwitchColour, true, kSwitchWeight},
    {RideQuantity::SideStandOff, RideText::SideStand, kSwitchColour, true, kSwitchWeight},
    {RideQuantity::Pickup1, RideText::Pickup1, kSwitchColour, true, kSwitchWeight},
    {RideQuantity::Pickup2, RideText::Pickup2, kSwitchColour, true, kSwitchWeight},
};

QString Number(double value) {
  return std::abs(value - std::round(value)) < 1e-6 ? QString::number(static_cast<long long>(std::llround(value)))
                                                    : QString::number(value, 'f', value < 100 ? 1 : 0);
}

// Wide enough for the value labels and for the titles of the switch lanes,
// which stand in the margin beside their lines.
double LeftMargin(const QFontMetricsF& fm, std::uint8_t language) {
  double width = fm.horizontalAdvance(QStringLiteral("25000"));
  for (const Lane& lane : kLanes) {
    if (lane.step) width = std::max(width, fm.horizontalAdvance(Text(lane.title, language)));
  }
  return width + 10;
}
double BottomMargin(const QFontMetricsF& fm) { return fm.height() + 8; }

// The value range a lane's axis shows: the whole ride's, so zooming in time
// never rescales the values; speed and advance start at zero.
ValueRange LaneRange(const Lane& lane, const std::vector<float>& values) {
  ValueRange r = AxisRange(values);
  if (lane.step) return {0, 1};
  if (lane.quantity != RideQuantity::Volts) r.min = std::min(r.min, 0.0f);
  const float pad = (r.max - r.min) * 0.05f;
  return {lane.quantity == RideQuantity::Volts ? r.min - pad : r.min, r.max + pad};
}

void PaintSeries(QPainter& painter, const QRectF& box, const RideTimeAxis& axis, const RideData& data,
                 std::size_t column, const Lane& lane) {
  const RideLog& log = data.log();
  const std::vector<float>& values = log.columns[column].values;
  const ValueRange range = LaneRange(lane, values);
  const double top = lane.step ? box.top() + 3 : box.top();
  const double bottom = lane.step ? box.bottom() - 3 : box.bottom();
  const auto y = [&](float v) {
    const float level = lane.step ? (v != 0 ? 1.0f : 0.0f) : v;
    return bottom - (level - range.min) / (range.max - range.min) * (bottom - top);
  };

  const int pixels = std::max(1, static_cast<int>(std::floor(axis.right - axis.left)));
  const std::vector<EnvelopeColumn> columns =
      Envelope(log, values, data.index(column), axis.view.fromMs, axis.view.toMs, pixels);

  std::vector<QLineF> lines;
  lines.reserve(columns.size() * 3 + 4);
  // Lines run on from the rows just outside the view, so a zoomed-in view
  // has no gap at its edges.
  const auto& t = log.timeMs;
  const std::size_t firstRow =
      static_cast<std::size_t>(std::lower_bound(t.begin(), t.end(), axis.view.fromMs) - t.begin());
  std::optional<QPointF> previous;
  if (firstRow > 0) previous = QPointF(axis.xAt(t[firstRow - 1]), y(values[firstRow - 1]));
  const auto join = [&](double x, float first) {
    if (!previous) return;
    if (lane.step) {
      lines.emplace_back(previous->x(), previous->y(), x, previous->y());
      lines.emplace_back(x, previous->y(), x, y(first));
    } else {
      lines.emplace_back(*previous, QPointF(x, y(first)));
    }
  };
  for (std::size_t px = 0; px < columns.size(); ++px) {
    const EnvelopeColumn& c = columns[px];
    if (c.empty) continue;
    const double x = axis.left + static_cast<double>(px) + 0.5;
    join(x, c.first);
    if (c.range.max != c.range.min) lines.emplace_back(x, y(c.range.min), x, y(c.range.max));
    previous = QPointF(x, y(c.last));
  }
  const std::size_t lastRow =
      static_cast<std::size_t>(std::lower_bound(t.begin(), t.end(), axis.view.toMs) - t.begin());
  if (lastRow < t.size()) join(axis.xAt(t[lastRow]), values[lastRow]);

  painter.save();
  painter.setClipRect(QRectF(axis.left, box.top() - 1, axis.right - axis.left, box.height() + 2));
  painter.setPen(QPen(lane.colour, lane.step ? 1.0 : 1.2));
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
  painter.restore();

  // Value axis.
  const QFontMetricsF fm(painter.font());
  painter.setPen(kInk);
  if (!lane.step) {
    const double step =
        NiceStep(range.max - range.min, std::max(2, static_cast<int>(box.height() / (fm.height() * 2))));
    for (double v : TicksBetween(range.min, range.max, step)) {
      const double yy = y(static_cast<float>(v));
      painter.setPen(kGridLine);
      painter.drawLine(QLineF(axis.left, yy, axis.right, yy));
      painter.setPen(kInk);
      painter.drawText(QRectF(box.left(), yy - fm.height() / 2, axis.left - box.left() - 5, fm.height()),
                       Qt::AlignRight | Qt::AlignVCenter, Number(v));
    }
  }
}

std::vector<std::pair<const Lane*, std::size_t>> LanesOf(const RideLog& log) {
  std::vector<std::pair<const Lane*, std::size_t>> lanes;
  for (const Lane& lane : kLanes) {
    for (std::size_t i = 0; i < log.columns.size(); ++i) {
      if (log.columns[i].quantity == lane.quantity) {
        lanes.emplace_back(&lane, i);
        break;
      }
    }
  }
  return lanes;
}

void PaintReadout(QPainter& painter, const QRectF& plot, const RideTimeAxis& axis, const RideScene& scene) {
  const RideLog& log = scene.data->log();
  const std::int64_t at = *scene.cursorMs;
  const double x = axis.xAt(at);
  if (x < axis.left || x > axis.right) return;
  // Crisp: the cursor and the read-out sit on whole pixels.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(kCursorColour, 1));
  painter.drawLine(QLineF(x, plot.top(), x, plot.bottom()));

  const std::size_t row = RowAt(log, at);
  QStringList lines;
  lines << Text(RideText::Time, scene.language) + QStringLiteral(" = ") +
               QString::fromStdString(TimeLabel(log.timeMs[row], 100));
  for (const RideColumn& c : log.columns) {
    QString name = QString::fromStdString(c.name);
    for (const Lane& lane : kLanes) {
      if (lane.quantity == c.quantity) name = Text(lane.title, scene.language);
    }
    const float v = c.values[row];
    const QString value = c.quantity == RideQuantity::Volts ? QString::number(v, 'f', 2) : Number(v);
    lines << name + QStringLiteral(" = ") + value;
  }
  const QFontMetricsF fm(painter.font());
  double width = 0;
  for (const QString& l : lines) width = std::max(width, fm.horizontalAdvance(l));
  QRectF box(0, std::round(plot.top()) + 4, std::ceil(width) + 12, std::ceil(fm.height() * lines.size()) + 8);
  box.moveLeft(std::round(x + 8 + box.width() <= plot.right() ? x + 8 : x - 8 - box.width()));
  if (box.bottom() > plot.bottom()) box.moveBottom(plot.bottom());
  painter.setPen(kCursorColour);
  painter.setBrush(QColor(255, 255, 255, 230));
  painter.drawRect(box);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(kInk);
  for (int i = 0; i < lines.size(); ++i) {
    painter.drawText(QPointF(box.left() + 6, box.top() + 4 + fm.ascent() + fm.height() * i), lines[i]);
  }
}

}  // namespace

std::int64_t RideTimeAxis::timeAt(double x) const {
  const double share = (x - left) / std::max(1.0, right - left);
  return view.fromMs + static_cast<std::int64_t>(std::llround(share * static_cast<double>(view.span())));
}

double RideTimeAxis::xAt(std::int64_t ms) const {
  return left + static_cast<double>(ms - view.fromMs) / static_cast<double>(std::max<std::int64_t>(1, view.span())) *
                    (right - left);
}

RideTimeAxis TimeAxisOf(const QRectF& area, const TimeView& view, const QFont& font, std::uint8_t language) {
  const QFontMetricsF fm(font);
  const double left = area.left() + LeftMargin(fm, language);
  return {left, std::max(left + 1, area.right() - 10), view};
}

void PaintRidePlot(QPainter& painter, const QRectF& area, const RideScene& scene) {
  painter.fillRect(area, kBackground);
  if (scene.data == nullptr || scene.data->log().rows() == 0) return;
  const QFontMetricsF fm(painter.font());
  const RideTimeAxis axis = TimeAxisOf(area, scene.view, painter.font(), scene.language);
  const auto lanes = LanesOf(scene.data->log());

  const double switchHeight = fm.height() + 6;
  const double gap = fm.height() * 0.6;
  double weights = 0;
  int switches = 0;
  for (const auto& [lane, column] : lanes) {
    weights += lane->weight;
    switches += lane->step ? 1 : 0;
  }
  const double plotTop = area.top() + 4;
  const double plotBottom = area.bottom() - BottomMargin(fm);
  const int seriesCount = static_cast<int>(lanes.size()) - switches;
  const double seriesHeight =
      std::max(0.0, plotBottom - plotTop - switches * switchHeight - (seriesCount + 1) * (gap + fm.height()));

  // Aliased: the strokes stand on pixel columns anyway, and smoothing tens of
  // thousands of short lines would cost more than the rest of the drawing.
  painter.setRenderHint(QPainter::Antialiasing, false);
  double top = plotTop;
  for (const auto& [lane, column] : lanes) {
    if (lane->step) {
      const QRectF box(area.left(), top, area.width(), switchHeight);
      painter.setPen(kGridLine);
      painter.drawLine(QLineF(axis.left, box.bottom(), axis.right, box.bottom()));
      PaintSeries(painter, box, axis, *scene.data, column, *lane);
      painter.setPen(kInk);
      painter.drawText(QRectF(area.left(), top, axis.left - area.left() - 5, switchHeight),
                       Qt::AlignRight | Qt::AlignVCenter, Text(lane->title, scene.language));
      top += switchHeight;
      continue;
    }
    // The lane's title sits above it, in its colour.
    painter.setPen(lane->colour);
    painter.drawText(QPointF(axis.left, top + fm.ascent()), Text(lane->title, scene.language));
    top += fm.height() + gap * 0.5;
    const double height = weights > 0 ? seriesHeight * lane->weight / weights : 0;
    PaintSeries(painter, QRectF(area.left(), top, area.width(), height), axis, *scene.data, column, *lane);
    top += height + gap * 0.5;
  }
  // Time axis.
  painter.setPen(kInk);
  painter.drawLine(QLineF(axis.left, plotBottom, axis.right, plotBottom));
  const double labelWidth = fm.horizontalAdvance(QStringLiteral("00:00:00")) + 16;
  const std::int64_t step =
      NiceTimeStepMs(scene.view.span(), std::max(1, static_cast<int>((axis.right - axis.left) / labelWidth)));
  const std::int64_t firstTick = (scene.view.fromMs + step - 1) / step * step;
  for (std::int64_t t = firstTick; t <= scene.view.toMs; t += step) {
    const double x = axis.xAt(t);
    painter.drawLine(QLineF(x, plotBottom, x, plotBottom + 4));
    painter.drawText(QRectF(x - labelWidth / 2, plotBottom + 4, labelWidth, fm.height()), Qt::AlignCenter,
                     QString::fromStdString(TimeLabel(t, step)));
  }
  if (scene.cursorMs)
    PaintReadout(painter, QRectF(axis.left, plotTop, axis.right - axis.left, plotBottom - plotTop), axis, scene);
}

void PaintRideVisits(QPainter& painter, const QRect& area, const RideVisits& visits, const ParameterImage& editor,
                     std::uint8_t language) {
  painter.fillRect(area, kBackground);
  const QFontMetricsF fm(painter.font());
  painter.setPen(kInk);
  painter.drawText(QPointF(area.left() + 4, area.top() + fm.ascent() + 2), Text(RideText::Visits, language));
  const int titleHeight = static_cast<int>(std::ceil(fm.height())) + 6;
  const QRect graphArea(area.left(), area.top() + titleHeight, area.width(), std::max(1, area.height() - titleHeight));

  CurveGraph graph;
  CurveDrawing drawing;
  graph.draw(graphArea.width(), graphArea.height(), editor, 0, Rgb{255, 255, 255}, Rgb{0, 0, 0}, drawing);
  QImage curve;
  DrawCurve(curve, drawing, painter.font());
  painter.drawImage(graphArea.topLeft(), curve);

  painter.save();
  painter.setClipRect(QRect(graphArea.left() + graph.areaLeft, graphArea.top() + graph.areaTop,
                            graph.areaRight - graph.areaLeft, graph.areaBottom - graph.areaTop));
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  // Rare cells first, so the often visited ones lie on top.
  std::vector<const RideVisit*> order;
  order.reserve(visits.cells.size());
  for (const RideVisit& v : visits.cells) order.push_back(&v);
  std::stable_sort(order.begin(), order.end(),
                   [](const RideVisit* a, const RideVisit* b) { return a->count < b->count; });
  const double radius = std::max(1.5, graphArea.width() / 160.0);
  for (const RideVisit* v : order) {
    const float shade = VisitShade(v->count, visits.most);
    const QColor colour(static_cast<int>(255 - 95 * shade), static_cast<int>(190 * (1 - shade)),
                        static_cast<int>(120 * shade), static_cast<int>(140 + 115 * shade));
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(graphArea.left() + graph.x(v->rpm + 50), graphArea.top() + graph.y(v->advance)), radius,
                        radius);
  }
  painter.restore();
}

void PaintRideSheet(QPainter& painter, const QRect& area, const RideScene& scene, const ParameterImage& editor) {
  const int visitsWidth = std::min(area.width() / 3, area.height() * 3 / 2);
  const QRect plot(area.left(), area.top(), area.width() - visitsWidth - 8, area.height());
  const QRect visits(plot.right() + 9, area.top(), visitsWidth, std::min(area.height(), visitsWidth * 3 / 4));
  painter.fillRect(area, kBackground);
  PaintRidePlot(painter, plot, scene);
  if (scene.data != nullptr) PaintRideVisits(painter, visits, scene.data->visits(), editor, scene.language);
}

}  // namespace zelmo
