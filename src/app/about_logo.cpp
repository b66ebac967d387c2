// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zelmo {

QPixmap AboutLogo() {
  QPixmap logo(kAboutLogoWidth, kAboutLogoHeight);
  logo.fill(Qt::white);
  QPainter p(&logo);
  p.setRenderHint(QPainter::Antialiasing);

  // The letter: a bold Z cut like a lightning bolt.
  QPainterPath zed;
  zed.moveTo(6, 8);
  zed.lineTo(66, 8);
  zed.lineTo(66, 20);
  zed.lineTo(28, 60);
  zed.lineTo(68, 60);
  zed.lineTo(68, 73);
  zed.lineTo(4, 73);
  zed.lineTo(4, 61);
  zed.lineTo(42, 21);
  zed.lineTo(6, 21);
  zed.closeSubpath();
  QLinearGradient steel(0, 8, 0, 73);
  steel.setColorAt(0, QColor(40, 70, 140));
  steel.setColorAt(1, QColor(10, 25, 70));
  p.setPen(Qt::NoPen);
  p.setBrush(steel);
  p.drawPath(zed);

  // The spark across the diagonal.
  QPainterPath spark;
  spark.moveTo(52, 28);
  spark.lineTo(40, 44);
  spark.lineTo(49, 44);
  spark.lineTo(38, 62);
  spark.lineTo(58, 38);
  spark.lineTo(49, 38);
  spark.lineTo(58, 28);
  spark.closeSubpath();
  p.setBrush(QColor(255, 190, 0));
  p.setPen(QPen(QColor(200, 90, 0), 1));
  p.drawPath(spark);

  // The name beside it.
  QFont big(QStringLiteral("DejaVu Sans"));
  big.setPixelSize(30);
  big.setBold(true);
  p.setFont(big);
  p.setPen(QColor(10, 25, 70));
  p.drawText(QRect(76, 10, 85, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("elmo"));
  QFont small(QStringLiteral("DejaVu Sans"));
  small.setPixelSize(20);
  small.setBold(true);
  p.setFont(small);
  p.setPen(QColor(200, 90, 0));
  p.drawText(QRect(78, 46, 83, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TCI"));
  return logo;
}

}  // namespace zelmo
