// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's own pictures, drawn at run time: the tool button glyphs, the
// window icon and the trigger wheel beside the TOP fields.
#include <QIcon>
#include <QWidget>

namespace zelmo {

enum class Glyph { NewSheet, Folder, Disk, Printer, Undo, Redo };

QIcon GlyphIcon(Glyph glyph);
QIcon WindowIcon();
// The trigger wheel as a control of its size: nine teeth numbered 1 to 9, the
// pick-up labelled above the top of the wheel and the sense of rotation from
// tooth 9 towards tooth 8. Painted afresh each time rather than kept as a
// picture of its size (200 kB): it is seldom repainted, and a printout gets
// it as lines and text instead of pixels.
class TriggerWheel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zelmo
