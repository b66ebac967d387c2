// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An edit field and its up-down buttons as two separate controls, so that the
// buttons can be hidden alone and the field coloured alone. The up-down holds
// the position and keeps it in its range; the field shows it.
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <optional>

namespace zelmo {

// The field of a numeric parameter. It tells the window when the user leaves
// it or presses Enter; it stays silent while the program fills it.
class ParameterEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit ParameterEdit(QWidget* parent = nullptr);

  // The highlight of the breakpoint nearest to the live speed: a lime field
  // with dark text; without it the field has the palette's colours.
  void setHighlighted(bool on);

 signals:
  void exited();
  void enterPressed();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool highlighted_ = false;
};

class UpDown : public QWidget {
  Q_OBJECT
 public:
  UpDown(int minimum, int maximum, int increment, bool thousands, QWidget* parent = nullptr);

  // The field's Up, Down, Page Up and Page Down keys and its wheel step the
  // position as the buttons do.
  void setBuddy(QLineEdit* edit);
  QLineEdit* buddy() const { return buddy_; }

  // The position takes what is typed into the field: a whole number, the
  // thousands separator allowed, limited to the range; anything else leaves
  // the previous position.
  int position();
  // Limits the value to the range and writes the result into the field.
  void setPosition(int value);
  // What the field shows for a position.
  QString format(int value) const;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Moves the position by `steps` increments and reports one click.
  void step(int steps);
  // Whole notches of the wheel, one click per event that turns at least one.
  void wheel(QWheelEvent* event);

  int minimum_;
  int maximum_;
  int step_;
  bool thousands_;
  int position_;
  int pressed_ = 0;  // +1 upper half, -1 lower half while the button is down
  QTimer repeat_;     // holding a button keeps stepping, as the platform control does
  QLineEdit* buddy_ = nullptr;
  int wheelRest_ = 0;  // eighths of a degree short of a whole notch (touchpads send less)
};

// Reads a whole number as typed: blanks and the locale's group separator are
// allowed anywhere, a sign in front. Nothing for anything else.
std::optional<long long> ParseWholeNumber(const QString& text);

}  // namespace zelmo
