// SPDX-License-Identifier: GPL-3.0-or-later
#include "curve/curve_widget.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusTipEvent>
#include <QtMath>
#include <algorithm>

#include "curve/unthreaded_bands.h"

namespace zelmo {
namespace {

// Drawn at every tick, in two columns while the live line moves: in bands,
// so that no painting threads stay behind it.
void DrawPicture(QPainter& painter, const QImage& picture, const QRegion& region) {
  const int rows = UnthreadedBandRows(painter);
  if (rows == 0) {
    painter.drawImage(0, 0, picture);
    return;
  }
  for (const QRect& area : region) {
    const QRect part = area & picture.rect();
    for (int y = part.top(); y <= part.bottom(); y += rows) {
      painter.save();
      painter.setClipRect(QRect(part.left(), y, part.width(), std::min(rows, part.bottom() + 1 - y)),
                          Qt::IntersectClip);
      painter.drawImage(0, 0, picture);
      painter.restore();
    }
  }
}

// The physical keys at this moment, not the state the last input event carried:
// Shift may be pressed while another window has the keyboard.
bool ShiftHeld() { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); }

QPoint GraphPixel(const QMouseEvent* event) {
  const QPointF pos = event->position();
  return QPoint(qFloor(pos.x()), qFloor(pos.y()));
}

}  // namespace

CurveWidget::CurveWidget(CurveDocument& document, QWidget* parent) : QWidget(parent), document_(document) {
  setObjectName(QStringLiteral("GrafAdv"));
  setFixedSize(kWidth, kHeight);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CurveWidget::tick(int liveRpm) {
  // Polling the unit ticks all day with nothing under the pointer; a round
  // trip to the display at each tick would then be most of its cost.
  const bool shiftDown = graph_.shiftMatters() ? ShiftHeld() : graph_.allMode != 0;
  if (!graph_.tick(shiftDown, liveRpm)) return false;
  drawNow();
  return true;
}

void CurveWidget::drawNow() {
  const auto rgb = [](const QColor& c) {
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
  };
  graph_.draw(QWidget::width(), QWidget::height(), document_.image(), graph_.lastLiveRpm,
              rgb(palette().color(QPalette::Window)), rgb(palette().color(QPalette::WindowText)), drawing_);
  const QRegion painted = DrawCurve(bitmap_, drawing_, font(), labels_);
  setHint(QString::fromUtf8(drawing_.hint.data(), static_cast<qsizetype>(drawing_.hint.size())));
  update(painted);
}

void CurveWidget::setHint(const QString& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  setStatusTip(hint_);
  if (underMouse() || graph_.grabbed != NoPoint) showHintInStatusBar();
}

void CurveWidget::showHintInStatusBar() {
  // A status tip is normally sent only on entering; the hint changes while the
  // pointer stays, and an empty hint must clear the status bar too.
  QStatusTipEvent tip(hint_);
  QCoreApplication::sendEvent(this, &tip);
}

void CurveWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // New colours (a desktop theme, the print appearance) or a new font cannot
  // wait for the tick: a printout is taken before the next one.
  const bool looks = event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange;
  if (looks && !bitmap_.isNull()) drawNow();
}

void CurveWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (bitmap_.isNull()) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    return;
  }
  DrawPicture(painter, bitmap_, event->region());
  if (!trail_.empty() || compared_) paintOverlay(painter);
}

void CurveWidget::setTrail(std::vector<TrailDot> dots) {
  if (dots.empty() && trail_.empty()) return;
  trail_ = std::move(dots);
  update();
}

void CurveWidget::setComparedCurve(std::optional<ParameterImage> image) {
  compared_ = std::move(image);
  update();
}

void CurveWidget::paintOverlay(QPainter& painter) const {
  painter.save();
  painter.setClipRect(QRect(QPoint(graph_.areaLeft, graph_.areaTop), QPoint(graph_.areaRight, graph_.areaBottom)));
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (compared_) {
    QPolygonF line;
    line << QPointF(graph_.x(PointSpeed(*compared_, BasePoint)), graph_.y(PointAdvance(*compared_, BasePoint)));
    for (int p = 0; p < kBreakpointCount; ++p) {
      line << QPointF(graph_.x(PointSpeed(*compared_, p)), graph_.y(PointAdvance(*compared_, p)));
    }
    // Beyond the last point the advance holds, as on the graph's own curve.
    line << QPointF(graph_.areaRight, line.back().y());
    painter.setPen(QPen(QColor(100, 100, 100), 1.0));
    painter.drawPolyline(line);
  }
  painter.setPen(Qt::NoPen);
  for (const TrailDot& dot : trail_) {
    QColor colour(0, 90, 255);
    colour.setAlphaF(dot.opacity);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(graph_.x(dot.rpm), graph_.y(dot.advance)), dot.radius, dot.radius);
  }
  painter.restore();
}

void CurveWidget::forwardMouse(MouseKind kind, const QMouseEvent* event) {
  const bool shiftMattered = graph_.shiftMatters();
  const QPoint at = GraphPixel(event);
  graph_.mouse(kind, at.x(), at.y(), document_, *this);
  // The ticks read Shift only while it matters: a breakpoint that has just come
  // under the pointer takes it now, so that a drag begun before the next tick
  // already moves every advance.
  if (!shiftMattered && graph_.shiftMatters()) graph_.takeShift(ShiftHeld());
}

void CurveWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) forwardMouse(MouseKind::Down, event);
}

void CurveWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) forwardMouse(MouseKind::Up, event);
}

void CurveWidget::mouseMoveEvent(QMouseEvent* event) { forwardMouse(MouseKind::Move, event); }

void CurveWidget::enterEvent(QEnterEvent*) { showHintInStatusBar(); }

void CurveWidget::leaveEvent(QEvent*) { graph_.mouseLeave(); }

ScreenPoint CurveWidget::screenOrigin() const {
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  return {origin.x(), origin.y()};
}

void CurveWidget::movePointer(int screenX, int screenY) { QCursor::setPos(screen(), screenX, screenY); }

bool CurveWidget::reportsProgramMoves() const {
  // These platforms turn a program's pointer move into an ordinary move event.
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform == QLatin1String("windows");
}

}  // namespace zelmo
