// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints a described curve drawing onto a bitmap with QPainter, pixel for
// pixel as described: aliased, 1-pixel pens, right and bottom edges and line
// end pixels left out.
#include <QFont>
#include <QImage>

#include "core/curve/curve_drawing.h"

namespace zelmo {

// The image is (re)sized to the drawing's size; labels use the given font.
void DrawCurve(QImage& image, const CurveDrawing& drawing, const QFont& font);

}  // namespace zelmo
