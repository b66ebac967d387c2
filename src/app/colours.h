// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of the window. The state colours are fixed, so the screen and
// the printed sheet agree; everything else follows the desktop's palette, and
// a text on a state colour gets a colour that reads on it.
#include <QColor>
#include <QPalette>

#include "core/device/display_state.h"
#include "core/look/rgb.h"

class QWidget;

namespace zelmo {

inline const QColor kRed(255, 0, 0);
inline const QColor kLime(0, 255, 0);
inline const QColor kAqua(0, 255, 255);
inline const QColor kFuchsia(255, 0, 255);
inline const QColor kYellow(255, 255, 0);
inline const QColor kGaugeBorder(128, 128, 128);

// Nothing for the button face: such a label shows whatever is behind it.
inline QColor LabelFill(Colour colour) {
  switch (colour) {
    case Colour::Red:
      return kRed;
    case Colour::Yellow:
      return kYellow;
    case Colour::Lime:
      return kLime;
    case Colour::Aqua:
      return kAqua;
    case Colour::ButtonFace:
      break;
  }
  return QColor();
}

inline Rgb ToRgb(const QColor& colour) {
  return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
             static_cast<std::uint8_t>(colour.blue())};
}
inline QColor ToColor(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

// Black or white, whichever reads on the fill.
QColor TextColourOn(const QColor& fill);
// A control on a state colour (background and text roles given; a check box
// fills its ground with the button role): the fill and a text colour that
// reads on it. An invalid fill takes the fill away and
// gives the control back the colours it inherits.
void SetFill(QWidget* widget, const QColor& fill, QPalette::ColorRole background = QPalette::Window,
             QPalette::ColorRole text = QPalette::WindowText);
// The print appearance: white with dark text whatever the desktop's colours.
QPalette PrintPalette();
// The light face the graph keeps on paper, as it looks on a default desktop.
QPalette PaperGraphPalette();

}  // namespace zelmo
