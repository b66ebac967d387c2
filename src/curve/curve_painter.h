// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints a described curve drawing onto a bitmap with QPainter, pixel for
// pixel as described: aliased, 1-pixel pens, right and bottom edges and line
// end pixels left out.
#include <QFont>
#include <QHash>
#include <QImage>
#include <QRegion>
#include <QStaticText>
#include <QString>

#include "core/curve/curve_drawing.h"

namespace zelmo {

// The graph's labels, laid out once for a font. The same dozen numbers come
// back at every drawing, and laying text out is most of what a drawing costs
// while the live line moves.
class CurveLabels {
 public:
  struct Label {
    QStaticText text;
    int width = 0;
  };
  // Forgets the labels of another font; true when it did.
  bool setFont(const QFont& font);
  const Label& label(const QString& text);

 private:
  QFont font_;
  QHash<QString, Label> labels_;
};

// The image is (re)sized to the drawing's size; labels use the given font.
// A partial drawing repaints only its changed columns, over the image of the
// drawing it replaced: give it the same image and labels every time. Returns
// the part of the image painted.
QRegion DrawCurve(QImage& image, const CurveDrawing& drawing, const QFont& font, CurveLabels& labels);
// For a drawing made once, as in a printout.
void DrawCurve(QImage& image, const CurveDrawing& drawing, const QFont& font);

}  // namespace zelmo
