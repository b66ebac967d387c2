// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's own pictures, drawn at run time: the tool button glyphs, the
// window icon and the trigger wheel beside the TOP fields.
#include <QIcon>
#include <QPixmap>
#include <QWidget>

namespace zelmo {

enum class Glyph { NewSheet, Folder, Disk, Printer, Undo, Redo };

QIcon GlyphIcon(Glyph glyph);
QIcon WindowIcon();
// Nine teeth numbered 1 to 9, the pick-up labelled above the top of the wheel
// and the sense of rotation from tooth 9 towards tooth 8.
QPixmap TriggerWheelPicture(int width, int height, const QColor& background, const QColor& label);

// The trigger wheel as a control of its size. The picture is drawn at its
// first paint, so start-up does not wait for it.
class TriggerWheel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
  QColor label_;  // the colour of the label in the picture
};

}  // namespace zelmo
