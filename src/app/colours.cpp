// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/colours.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

#include "core/look/contrast.h"

namespace zelmo {

QColor TextColourOn(const QColor& fill) { return ToColor(zelmo::TextColourOn(ToRgb(fill))); }

void SetFill(QWidget* widget, const QColor& fill, QPalette::ColorRole background, QPalette::ColorRole text) {
  if (!fill.isValid()) {
    widget->setAutoFillBackground(false);
    widget->setPalette(QPalette());
    return;
  }
  QPalette p = widget->palette();
  p.setColor(background, fill);
  p.setColor(text, TextColourOn(fill));
  widget->setPalette(p);
  // A field paints its own base; other controls need their ground filled.
  widget->setAutoFillBackground(background != QPalette::Base);
}

namespace {

// The style's own light palette with every role set, so that nothing of a
// dark desktop palette shines through where it is handed to a widget.
QPalette StandardPalette() {
  const QPalette standard = QApplication::style()->standardPalette();
  QPalette p;
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      const auto g = static_cast<QPalette::ColorGroup>(group);
      const auto r = static_cast<QPalette::ColorRole>(role);
      if (r == QPalette::NoRole) continue;
      p.setBrush(g, r, standard.brush(g, r));
    }
  }
  return p;
}

}  // namespace

QPalette PaperGraphPalette() { return StandardPalette(); }

QPalette PrintPalette() {
  QPalette p = StandardPalette();
  p.setColor(QPalette::Window, Qt::white);
  // A style whose own palette is dark still prints dark on white.
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Base, Qt::white);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      p.setColor(group, role, Qt::black);
    }
  }
  return p;
}

}  // namespace zelmo
