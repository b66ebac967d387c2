// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A check box that tells the window about mouse releases only: a box toggled
// with the keyboard reaches the image with the next edit of any other kind.
#include <QCheckBox>
#include <QMouseEvent>

namespace zelmo {

class MouseCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  using QCheckBox::QCheckBox;

 signals:
  // After the box has toggled.
  void mouseReleased();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QCheckBox::mouseReleaseEvent(event);
    emit mouseReleased();
  }
};

}  // namespace zelmo
