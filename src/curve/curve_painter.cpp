// SPDX-License-Identifier: GPL-3.0-or-later
#include "curve/curve_painter.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QRegion>
#include <QString>
#include <algorithm>
#include <cstdlib>

#include "core/curve/line_raster.h"

namespace zelmo {
namespace {

QColor ToColor(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

// Raster rectangle between two corners, right and bottom edge excluded.
QRect HalfOpenRect(int x1, int y1, int x2, int y2) {
  const int left = std::min(x1, x2);
  const int top = std::min(y1, y2);
  return QRect(left, top, std::max(x1, x2) - left, std::max(y1, y2) - top);
}

// QPainter's own lines keep both ends (or, flat-capped, drop the end nearer
// the bottom right whichever way they run); filling our own runs leaves out
// exactly the end pixel.
void PaintLine(QPainter& painter, const DrawItem& item) {
  const QColor colour = ToColor(item.colour);
  RasteriseLine(item.x1, item.y1, item.x2, item.y2, [&](const PixelRun& run) {
    painter.fillRect(run.horizontal ? QRect(run.x, run.y, run.length, 1) : QRect(run.x, run.y, 1, run.length), colour);
  });
}

void PaintRoundSquare(QPainter& painter, const DrawItem& item) {
  // A 3 x 3 corner ellipse on a square this small only takes the corner pixel away.
  const QRect box = HalfOpenRect(item.x1, item.y1, item.x2, item.y2);
  if (box.width() < 3 || box.height() < 3) return;
  const QColor outline = ToColor(item.colour);
  painter.fillRect(box.adjusted(1, 1, -1, -1), ToColor(item.fill));
  painter.fillRect(QRect(box.left() + 1, box.top(), box.width() - 2, 1), outline);
  painter.fillRect(QRect(box.left() + 1, box.bottom(), box.width() - 2, 1), outline);
  painter.fillRect(QRect(box.left(), box.top() + 1, 1, box.height() - 2), outline);
  painter.fillRect(QRect(box.right(), box.top() + 1, 1, box.height() - 2), outline);
}

// A rescale brings new numbers; a graph's labels never come near this many.
constexpr qsizetype kMostLabels = 256;

QRect ToRect(const DrawBox& box) { return QRect(box.x, box.y, box.width, box.height); }

// Every pixel an item may touch. A label's glyphs may reach past its cell.
QRect Reach(const DrawItem& item, const QFontMetrics& metrics, CurveLabels& labels) {
  if (item.kind == DrawKind::Text) {
    const int width = labels.label(QString::fromLatin1(item.textData())).width;
    const int height = metrics.height();
    return QRect(item.x1, item.y1, width, height).adjusted(-height, -height, height, height);
  }
  return QRect(QPoint(std::min(item.x1, item.x2), std::min(item.y1, item.y2)),
               QPoint(std::max(item.x1, item.x2), std::max(item.y1, item.y2)));
}

void PaintText(QPainter& painter, const DrawItem& item, const QFontMetrics& metrics, CurveLabels& labels) {
  const CurveLabels::Label& label = labels.label(QString::fromLatin1(item.textData()));
  painter.fillRect(QRect(item.x1, item.y1, label.width, metrics.height()), ToColor(item.fill));
  painter.setPen(QPen(ToColor(item.colour), 0));
  painter.drawStaticText(item.x1, item.y1, label.text);
}

}  // namespace

bool CurveLabels::setFont(const QFont& font) {
  if (font == font_) return false;
  labels_.clear();
  font_ = font;
  return true;
}

const CurveLabels::Label& CurveLabels::label(const QString& text) {
  if (labels_.size() >= kMostLabels) labels_.clear();
  auto found = labels_.find(text);
  if (found == labels_.end()) {
    Label made{QStaticText(text), QFontMetrics(font_).horizontalAdvance(text)};
    made.text.setTextFormat(Qt::PlainText);
    made.text.prepare(QTransform(), font_);
    found = labels_.insert(text, std::move(made));
  }
  return *found;
}

void DrawCurve(QImage& image, const CurveDrawing& drawing, const QFont& font) {
  CurveLabels labels;
  DrawCurve(image, drawing, font, labels);
}

QRegion DrawCurve(QImage& image, const CurveDrawing& drawing, const QFont& font, CurveLabels& labels) {
  bool whole = !drawing.partial;
  if (image.width() != drawing.width || image.height() != drawing.height || image.format() != QImage::Format_RGB32) {
    image = QImage(drawing.width, drawing.height, QImage::Format_RGB32);
    whole = true;
  }
  QPainter painter(&image);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform, false);
  painter.setFont(font);
  // The font is not among what a drawing is made from; a new one needs all of it.
  if (labels.setFont(painter.font())) whole = true;
  QRegion changed;
  if (whole) {
    changed = image.rect();
  } else {
    for (const DrawBox& box : drawing.changed) changed += ToRect(box);
    if (changed.isEmpty()) return changed;
  }
  painter.setBrush(Qt::NoBrush);
  const QFontMetrics metrics(font, &image);

  QPen outline(Qt::black, 0);

  if (!whole) painter.setClipRegion(changed);

  for (const DrawItem& item : drawing.items) {
    if (!whole && !changed.intersects(Reach(item, metrics, labels))) continue;
    switch (item.kind) {
      case DrawKind::Fill:
        painter.fillRect(HalfOpenRect(item.x1, item.y1, item.x2, item.y2), ToColor(item.colour));
        break;
      case DrawKind::Line:
        PaintLine(painter, item);
        break;
      case DrawKind::RoundSquare:
        PaintRoundSquare(painter, item);
        break;
      case DrawKind::Outline:
        outline.setColor(ToColor(item.colour));
        painter.setPen(outline);
        painter.drawRect(QRect(std::min(item.x1, item.x2), std::min(item.y1, item.y2), std::abs(item.x2 - item.x1),
                               std::abs(item.y2 - item.y1)));
        break;
      case DrawKind::Text:
        PaintText(painter, item, metrics, labels);
        break;
    }
  }
  return changed;
}

}  // namespace zelmo
