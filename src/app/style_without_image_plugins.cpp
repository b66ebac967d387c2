// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/style_without_image_plugins.h"

#include <QGroupBox>
#include <QIconEngine>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>
#include <qdrawutil.h>

#include <optional>

#include "app/fusion_group_box_picture.h"
#include "curve/unthreaded_bands.h"

namespace zelmo {
namespace {

// Stands for a standard icon of the base style until something needs its
// pixels or its sizes; from then on it answers as that icon does.
class DeferredIconEngine : public QIconEngine {
 public:
  DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
      : style_(style), which_(which), widget_(widget) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return icon().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return icon().availableSizes(mode, state);
  }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }
  QString key() const override { return QStringLiteral("zelmo-deferred"); }

 private:
  const QIcon& icon() {
    if (!icon_) {
      // A style or widget that is gone by now leaves a plain icon of the
      // application's style.
      icon_ = style_ ? style_->standardIcon(which_, nullptr, widget_.data()) : QIcon();
    }
    return *icon_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap which_;
  QPointer<const QWidget> widget_;
  std::optional<QIcon> icon_;
};

// The room Fusion leaves above a group box frame for the title, and the
// border of its picture (Qt 6's qfusionstyle.cpp).
constexpr int kFusionGroupBoxTopMargin = 3;
constexpr QMargins kFusionGroupBoxBorder(6, 6, 6, 6);

}  // namespace

QIcon StyleWithoutImagePlugins::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                             const QWidget* widget) const {
  // An option describes one moment's state and cannot be kept for later.
  if (option != nullptr) return QProxyStyle::standardIcon(icon, option, widget);
  return QIcon(new DeferredIconEngine(baseStyle(), icon, widget));
}

void StyleWithoutImagePlugins::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                             QPainter* painter, const QWidget* widget) const {
  if (element != PE_FrameGroupBox || baseStyle()->name() != QLatin1String("fusion")) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  if (groupBoxFrame_.isNull()) groupBoxFrame_ = QPixmap::fromImage(FusionGroupBoxPicture());
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  const int top = box != nullptr && !box->isCheckable() && box->title().isEmpty()
                      ? kFusionGroupBoxTopMargin
                      : qMax(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                            kFusionGroupBoxTopMargin;
  const QRect frame = option->rect.adjusted(0, top, 0, 0);
  // Scaled to a tall frame, the picture would start Qt's painting threads.
  const int rows = UnthreadedBandRows(*painter);
  if (rows == 0) {
    qDrawBorderPixmap(painter, frame, kFusionGroupBoxBorder, groupBoxFrame_);
    return;
  }
  // A label that changes inside a group box repaints the frame behind it:
  // bands outside the part being painted are left out.
  const QRegion painted = painter->paintEngine()->systemClip();
  const QTransform toDevice = painter->deviceTransform();
  for (int y = frame.top(); y <= frame.bottom(); y += rows) {
    const QRect band(frame.left(), y, frame.width(), rows);
    if (!painted.isEmpty() && !painted.intersects(toDevice.mapRect(QRectF(band)).toAlignedRect())) continue;
    painter->save();
    painter->setClipRect(band, Qt::IntersectClip);
    qDrawBorderPixmap(painter, frame, kFusionGroupBoxBorder, groupBoxFrame_);
    painter->restore();
  }
}

}  // namespace zelmo
