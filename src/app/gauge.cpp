// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gauge.h"

#include <QPainter>

#include "app/colours.h"

namespace zelmo {

Gauge::Gauge(const QColor& bar, QWidget* parent) : QProgressBar(parent), bar_(bar) {
  setAlignment(Qt::AlignCenter);
  setFormat(QStringLiteral("%p%"));
}

void Gauge::setPosition(int maximum, int position) {
  if (maximum == this->maximum() && position == value()) return;
  setUpdatesEnabled(false);
  setMaximum(maximum);
  setValue(position);
  setUpdatesEnabled(true);  // asks for the one paint
}

int Gauge::barWidth() const {
  const qint64 span = qint64(maximum()) - minimum();
  if (span <= 0) return 0;
  const qint64 inner = width() - 2;
  return static_cast<int>(inner * (qint64(value()) - minimum()) / span);
}

void Gauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  painter.fillRect(rect(), kGaugeBorder);
  painter.fillRect(inside, palette().color(QPalette::Base));
  const QRect filled(inside.left(), inside.top(), value() > minimum() ? barWidth() : 0, inside.height());
  painter.fillRect(filled, bar_);
  if (!isTextVisible()) return;
  const QString label = text();
  painter.setFont(font());
  // The same text twice, each clipped to the ground it lies on.
  painter.setClipRect(filled);
  painter.setPen(TextColourOn(bar_));
  painter.drawText(inside, Qt::AlignCenter, label);
  painter.setClipRegion(QRegion(inside).subtracted(filled));
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(inside, Qt::AlignCenter, label);
}

}  // namespace zelmo
