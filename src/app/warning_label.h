// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A warning written in red on the window's own background. The design's red
// reads neither on a dark window nor well on a light one, so the label takes
// the red nearest to it that does, and again whenever the palette changes.
#include <QEvent>
#include <QLabel>

#include "app/colours.h"
#include "core/look/contrast.h"

namespace zelmo {

class WarningLabel : public QLabel {
 public:
  explicit WarningLabel(QWidget* parent) : QLabel(parent) { tint(); }

 protected:
  void changeEvent(QEvent* event) override {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) tint();
  }

 private:
  void tint() {
    const QColor colour = ToColor(ReadableTint(ToRgb(kRed), ToRgb(palette().color(QPalette::Window))));
    // Setting the colour is itself a palette change: stop once it holds.
    if (palette().color(QPalette::WindowText) == colour) return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
  }
};

}  // namespace zelmo
