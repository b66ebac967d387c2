#pragma once
// The colours of the window, fixed so the screen and the printed sheet agree.
#include <QColor>

#include "core/device/display_state.h"

namespace zelmo {

inline const QColor kButtonFace(240, 240, 240);
inline const QColor kRed(255, 0, 0);
inline const QColor kLime(0, 255, 0);
inline const QColor kAqua(0, 255, 255);
inline const QColor kFuchsia(255, 0, 255);
inline const QColor kYellow(255, 255, 0);
inline const QColor kFieldBackground(255, 255, 255);

// Nothing for the button face: such a label shows whatever is behind it.
inline QColor LabelFill(Colour colour) {
  switch (colour) {
    case Colour::Red: return kRed;
    case Colour::Yellow: return kYellow;
    case Colour::Lime: return kLime;
    case Colour::Aqua: return kAqua;
    case Colour::ButtonFace: break;
  }
  return QColor();
}

}  // namespace zelmo
