// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/up_down.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>
#include <algorithm>

#include "app/colours.h"

namespace zelmo {

ParameterEdit::ParameterEdit(QWidget* parent) : QLineEdit(parent) {}

void ParameterEdit::setHighlighted(bool on) {
  if (on == highlighted_) return;
  highlighted_ = on;
  SetFill(this, on ? kLime : QColor(), QPalette::Base, QPalette::Text);
}

void ParameterEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Only a move to another control counts as leaving the field; a menu, a
  // message box or another window taking the focus does not.
  switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
      return;
    default:
      emit exited();
  }
}

void ParameterEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    emit enterPressed();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

std::optional<long long> ParseWholeNumber(const QString& text) {
  const QChar group = QLocale().groupSeparator().isEmpty() ? QChar(' ') : QLocale().groupSeparator().at(0);
  QString digits;
  for (const QChar c : text) {
    if (c.isSpace() || c == group || c == QChar(0x00A0) || c == QChar(0x202F)) continue;
    digits.append(c);
  }
  if (digits.isEmpty()) return std::nullopt;
  bool ok = false;
  const long long value = digits.toLongLong(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

UpDown::UpDown(int minimum, int maximum, int increment, bool thousands, QWidget* parent)
    : QWidget(parent),
      minimum_(minimum),
      maximum_(maximum),
      step_(increment),
      thousands_(thousands),
      position_(minimum) {
  setFocusPolicy(Qt::NoFocus);
  connect(&repeat_, &QTimer::timeout, this, [this] {
    repeat_.setInterval(100);
    if (pressed_ != 0) step(pressed_);
  });
}

QString UpDown::format(int value) const {
  if (!thousands_) return QString::number(value);
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(value);
}

int UpDown::position() {
  if (buddy_) {
    if (const auto typed = ParseWholeNumber(buddy_->text())) {
      position_ = static_cast<int>(std::clamp<long long>(*typed, minimum_, maximum_));
    }
  }
  return position_;
}

void UpDown::setPosition(int value) {
  position_ = std::clamp(value, minimum_, maximum_);
  if (buddy_) buddy_->setText(format(position_));
}

void UpDown::setBuddy(QLineEdit* edit) {
  if (buddy_) buddy_->removeEventFilter(this);
  buddy_ = edit;
  if (buddy_) buddy_->installEventFilter(this);
}

void UpDown::step(int steps) {
  setPosition(position() + steps * step_);
  emit clicked();
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched != buddy_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::Wheel) {
    wheel(static_cast<QWheelEvent*>(event));
    return true;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & ~Qt::KeypadModifier) return false;
  // The keys a platform spin box steps with; Page Up and Down take ten steps.
  switch (key->key()) {
    case Qt::Key_Up:
      step(1);
      return true;
    case Qt::Key_Down:
      step(-1);
      return true;
    case Qt::Key_PageUp:
      step(10);
      return true;
    case Qt::Key_PageDown:
      step(-10);
      return true;
    default:
      return false;
  }
}

void UpDown::wheelEvent(QWheelEvent* event) { wheel(event); }

void UpDown::wheel(QWheelEvent* event) {
  event->accept();
  wheelRest_ += event->angleDelta().y();
  const int notches = wheelRest_ / QWheelEvent::DefaultDeltasPerStep;
  wheelRest_ -= notches * QWheelEvent::DefaultDeltasPerStep;
  if (notches != 0) step(notches);
}

void UpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = event->position().y() < height() / 2.0 ? 1 : -1;
  update();
  step(pressed_);
  repeat_.start(400);
}

void UpDown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  repeat_.stop();
  pressed_ = 0;
  update();
}

void UpDown::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int half = height() / 2;
  const QRect upper(0, 0, width(), half);
  const QRect lower(0, half, width(), height() - half);
  for (const auto& [area, direction] : {std::pair{upper, 1}, std::pair{lower, -1}}) {
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = area;
    option.state |= pressed_ == direction ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    const QStyle::PrimitiveElement arrow = direction > 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown;
    QStyleOption arrowOption;
    arrowOption.initFrom(this);
    arrowOption.rect = area.adjusted(3, 2, -3, -2);
    style()->drawPrimitive(arrow, &arrowOption, &painter, this);
  }
}

}  // namespace zelmo
