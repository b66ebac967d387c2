// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/client_area.h"

#include <QApplication>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace zelmo {
namespace {

QScrollArea* AddScrollArea(QWidget* parent, const char* name) {
  auto* area = new QScrollArea(parent);
  area->setObjectName(QString::fromLatin1(name));
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(false);
  area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return area;
}

}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  // The tool row scrolls only sideways, together with the area below it.
  toolScroll_ = AddScrollArea(this, "ToolRowScroll");
  toolScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  toolScroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  toolScroll_->setFixedHeight(kToolRowHeight);
  // The controls inside take the focus; the frames around them need none.
  toolScroll_->setFocusPolicy(Qt::NoFocus);
  toolRow_ = new QWidget;
  toolRow_->setObjectName(QStringLiteral("ToolRow"));
  toolRow_->setFixedSize(kDesignedWidth, kToolRowHeight);
  toolScroll_->setWidget(toolRow_);
  layout->addWidget(toolScroll_);

  scroll_ = AddScrollArea(this, "ClientScroll");
  scroll_->setFocusPolicy(Qt::NoFocus);
  // A window onto the design below the tool row: the design keeps its own
  // coordinates and sits the tool row's height above the window's top.
  auto* below = new QWidget;
  below->setObjectName(QStringLiteral("DesignBelowToolRow"));
  // The design's right edge is empty: a vertical scroll bar may take it
  // without a horizontal one appearing.
  const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  below->setFixedSize(kDesignedWidth - barWidth, kDesignedHeight - kToolRowHeight);
  designed_ = new QWidget(below);
  designed_->setObjectName(QStringLiteral("DesignedArea"));
  designed_->setGeometry(0, -kToolRowHeight, kDesignedWidth, kDesignedHeight);
  scroll_->setWidget(below);
  layout->addWidget(scroll_, 1);

  connect(scroll_->horizontalScrollBar(), &QScrollBar::valueChanged, toolScroll_->horizontalScrollBar(),
          &QScrollBar::setValue);
  // A control reached by the keyboard (Tab, an accelerator, a click on the
  // graph's point) comes into view.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && designed_->isAncestorOf(now)) scroll_->ensureWidgetVisible(now, 8, 8);
  });
}

void ClientArea::keepInToolRow(QWidget* control) {
  const bool hidden = control->isHidden();
  const QRect place = control->geometry();
  control->setParent(toolRow_);
  control->setGeometry(place);
  control->setVisible(!hidden);
}

void ClientArea::paintDesign(QPainter& painter) const {
  painter.fillRect(QRect(0, 0, kDesignedWidth, kDesignedHeight), palette().color(QPalette::Window));
  designed_->render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
  toolRow_->render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
}

}  // namespace zelmo
