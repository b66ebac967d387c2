// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <initializer_list>

#include "app/colours.h"
#include "core/look/contrast.h"

namespace zelmo {
namespace {

// The outline through the corners, closed back to the first.
QPainterPath ClosedPath(std::initializer_list<QPointF> corners) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(corners)));
  path.closeSubpath();
  return path;
}

constexpr int kGlyphSize = 20;

void DrawArrow(QPainter& p, bool forward) {
  // A hooked arrow: an arc over the top, the head at the end it points to.
  const QColor blue(0, 70, 170);
  p.setPen(QPen(blue, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  const QRectF arc(4, 5, 12, 11);
  p.drawArc(arc, forward ? 200 * 16 : -20 * 16, forward ? -220 * 16 : 220 * 16);
  const QPointF tip = forward ? QPointF(15.5, 14.5) : QPointF(4.5, 14.5);
  const double side = forward ? -1 : 1;
  QPainterPath head;
  head.moveTo(tip + QPointF(side * 5.5, 0.5));
  head.lineTo(tip + QPointF(side * 0.5, -5.0));
  head.lineTo(tip + QPointF(side * 0.2, 1.5));
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(blue);
  p.drawPath(head);
}

void DrawGlyph(QPainter& p, Glyph glyph) {
  p.setRenderHint(QPainter::Antialiasing);
  const QPen outline(QColor(40, 40, 40), 1);
  switch (glyph) {
    case Glyph::NewSheet: {
      const QPainterPath sheet = ClosedPath({{4.5, 1.5}, {12.5, 1.5}, {16.5, 5.5}, {16.5, 18.5}, {4.5, 18.5}});
      p.setPen(outline);
      p.setBrush(Qt::white);
      p.drawPath(sheet);
      p.drawPolyline(QPolygonF({QPointF(12.5, 1.5), QPointF(12.5, 5.5), QPointF(16.5, 5.5)}));
      p.setPen(QPen(QColor(150, 150, 150), 1));
      for (double y = 8.5; y < 17; y += 2.5) p.drawLine(QPointF(6.5, y), QPointF(14.5, y));
      break;
    }
    case Glyph::Folder: {
      p.setPen(outline);
      p.setBrush(QColor(230, 190, 70));
      const QPainterPath back =
          ClosedPath({{1.5, 4.5}, {7.5, 4.5}, {9.5, 6.5}, {17.5, 6.5}, {17.5, 16.5}, {1.5, 16.5}});
      p.drawPath(back);
      p.setBrush(QColor(250, 215, 100));
      p.drawPolygon(QPolygonF({QPointF(1.5, 16.5), QPointF(4.5, 9.5), QPointF(19.5, 9.5), QPointF(17.5, 16.5)}));
      break;
    }
    case Glyph::Disk: {
      p.setPen(outline);
      p.setBrush(QColor(40, 60, 140));
      p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1.5, 1.5);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5.5, 2.5, 9, 6));
      p.setBrush(QColor(180, 180, 190));
      p.drawRect(QRectF(5.5, 11.5, 9, 6));
      p.setBrush(QColor(40, 60, 140));
      p.drawRect(QRectF(11.5, 3.5, 2, 4));
      break;
    }
    case Glyph::Printer: {
      p.setPen(outline);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5.5, 1.5, 9, 6));
      p.setBrush(QColor(170, 170, 175));
      p.drawRoundedRect(QRectF(1.5, 7.5, 17, 7), 1.5, 1.5);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5.5, 12.5, 9, 6));
      p.setPen(QPen(QColor(120, 120, 120), 1));
      p.drawLine(QPointF(7, 15), QPointF(13, 15));
      p.drawLine(QPointF(7, 17), QPointF(12, 17));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 170, 0));
      p.drawEllipse(QPointF(15.5, 10), 1.1, 1.1);
      break;
    }
    case Glyph::Undo:
      DrawArrow(p, false);
      break;
    case Glyph::Redo:
      DrawArrow(p, true);
      break;
  }
}

QPixmap GlyphPixmap(Glyph glyph, bool disabled) {
  QPixmap pixmap(kGlyphSize, kGlyphSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  if (disabled) p.setOpacity(0.35);
  DrawGlyph(p, glyph);
  return pixmap;
}

}  // namespace

QIcon GlyphIcon(Glyph glyph) {
  QIcon icon;
  icon.addPixmap(GlyphPixmap(glyph, false), QIcon::Normal);
  icon.addPixmap(GlyphPixmap(glyph, true), QIcon::Disabled);
  return icon;
}

QIcon WindowIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // A toothed wheel with a spark: the unit's business at a glance.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 70));
    p.drawEllipse(QPointF(32, 34), 24, 24);
    for (int i = 0; i < 9; ++i) {
      p.save();
      p.translate(32, 34);
      p.rotate(i * 40.0);
      p.drawRect(QRectF(-4, -29, 8, 8));
      p.restore();
    }
    p.setBrush(QColor(240, 240, 240));
    p.drawEllipse(QPointF(32, 34), 9, 9);
    p.setBrush(QColor(255, 200, 0));
    p.drawPolygon(QPolygonF(
        {QPointF(38, 2), QPointF(22, 32), QPointF(31, 32), QPointF(26, 56), QPointF(44, 24), QPointF(34, 24)}));
    icon.addPixmap(pixmap);
  }
  return icon;
}

namespace {

void PaintTriggerWheel(QPainter& p, int width, int height, const QColor& label) {
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(width / 2.0, height * 0.56);
  const double radius = std::min(width, height) * 0.30;
  const double toothDepth = 12;
  const QColor steel(110, 110, 120);
  const QColor dark(40, 40, 40);

  // The teeth first, so the disc covers their roots. Tooth 1 stands at the top
  // and the numbers run clockwise; the wheel turns from 9 towards 8.
  auto angleOf = [](int tooth) { return qDegreesToRadians(-90.0 + (tooth - 1) * 40.0); };
  p.setPen(QPen(dark, 1));
  p.setBrush(steel);
  for (int tooth = 1; tooth <= 9; ++tooth) {
    p.save();
    p.translate(centre);
    p.rotate(qRadiansToDegrees(angleOf(tooth)) + 90.0);
    p.drawRect(QRectF(-6, -radius - toothDepth, 12, toothDepth + 4));
    p.restore();
  }
  // The hub is a hole: whatever lies behind the wheel shows through it.
  QPainterPath disc;
  disc.addEllipse(centre, radius, radius);
  QPainterPath hub;
  hub.addEllipse(centre, radius * 0.22, radius * 0.22);
  p.drawPath(disc.subtracted(hub));

  QFont font = p.font();
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  for (int tooth = 1; tooth <= 9; ++tooth) {
    const double a = angleOf(tooth);
    const QPointF at = centre + QPointF(std::cos(a), std::sin(a)) * (radius - 13);
    p.drawText(QRectF(at.x() - 9, at.y() - 9, 18, 18), Qt::AlignCenter, QString::number(tooth));
  }

  // The pick-up above the top of the wheel, with its label.
  const double top = centre.y() - radius - toothDepth;
  const QRectF sensor(centre.x() - 9, top - 38, 18, 30);
  p.setPen(QPen(dark, 1));
  p.setBrush(QColor(200, 60, 40));
  p.drawRoundedRect(sensor, 3, 3);
  p.setPen(QPen(dark, 2));
  p.drawLine(QPointF(centre.x(), sensor.top()), QPointF(centre.x(), sensor.top() - 10));
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(label);
  p.drawText(QRectF(0, sensor.top() - 28, width, 16), Qt::AlignCenter, QStringLiteral("Pick-up"));

  // Rotation: an arc outside the teeth from tooth 9 towards tooth 8, head at 8.
  const double arcRadius = radius + toothDepth + 10;
  const QRectF arcRect(centre.x() - arcRadius, centre.y() - arcRadius, 2 * arcRadius, 2 * arcRadius);
  const double from = -qRadiansToDegrees(angleOf(9)) - 6;  // Qt counts angles anticlockwise
  const double span = 28;
  p.setPen(QPen(QColor(0, 90, 200), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(arcRect, static_cast<int>(from * 16), static_cast<int>(span * 16));
  const double end = qDegreesToRadians(-(from + span));
  const QPointF tip = centre + QPointF(std::cos(end), std::sin(end)) * arcRadius;
  const QPointF tangent(std::sin(end), -std::cos(end));  // anticlockwise on screen
  const QPointF normal(std::cos(end), std::sin(end));
  const QPainterPath head =
      ClosedPath({tip + tangent * 7, tip - tangent * 2 + normal * 5, tip - tangent * 2 - normal * 5});
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 90, 200));
  p.drawPath(head);
}

}  // namespace

void TriggerWheel::paintEvent(QPaintEvent* /*event*/) {
  // The label stands on the window's background: its dark grey, or the
  // nearest colour that reads on a dark window.
  const QColor label =
      ToColor(ReadableTint(Rgb{40, 40, 40}, ToRgb(palette().color(QPalette::Window))));
  QPainter painter(this);
  PaintTriggerWheel(painter, width(), height(), label);
}

}  // namespace zelmo
