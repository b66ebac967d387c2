// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A progress gauge of the window: a grey frame, the trough in the field
// colour of the palette, the bar in its fixed state colour and, if wanted,
// the percentage centred on it, dark where it lies on the bar and in the
// palette's text colour where it lies on the trough. Painted here rather than
// by a style sheet, which costs every window its own style machinery.
#include <QColor>
#include <QProgressBar>

namespace zelmo {

class Gauge : public QProgressBar {
  Q_OBJECT
 public:
  Gauge(const QColor& bar, QWidget* parent = nullptr);

  QColor barColour() const { return bar_; }
  // Sets range and value and leaves the painting to the window's next pass.
  // QProgressBar::setValue paints at once, and since this gauge paints itself
  // it does so at every change: one more flush to the display per gauge and
  // tick while the unit is polled.
  void setPosition(int maximum, int position);
  // The bar's share of the trough, in pixels.
  int barWidth() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor bar_;
};

}  // namespace zelmo
