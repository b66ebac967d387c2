// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's inside below the menu bar: the tool-bar row, which stays in
// view, over the rest of the designed layout in a scroll area, so that a
// screen smaller than the design still reaches every control. Both hold their
// controls at the designed places, counted from the top left corner of the
// client area.
#include <QWidget>

class QPainter;
class QScrollArea;

namespace zelmo {

// The designed client area: the lowest controls are the test labels.
inline constexpr int kDesignedWidth = 769;
inline constexpr int kDesignedHeight = 668;
// The tool group and the connection label.
inline constexpr int kToolRowHeight = 48;
// Below this the scroll bars would leave too little to work with.
inline constexpr int kMinimumClientWidth = 360;
inline constexpr int kMinimumClientHeight = kToolRowHeight + 160;

class ClientArea : public QWidget {
  Q_OBJECT

 public:
  explicit ClientArea(QWidget* parent);

  QWidget* toolRow() const { return toolRow_; }
  // The rest of the design; its top rows lie hidden under the tool row.
  QWidget* designed() const { return designed_; }
  QScrollArea* scrollArea() const { return scroll_; }

  // A control built on designed() that belongs to the tool row, kept at its place.
  void keepInToolRow(QWidget* control);
  // Paints the whole design, as a screen large enough would show it, onto a
  // painter (the printout records it as a picture).
  void paintDesign(QPainter& painter) const;

  QSize sizeHint() const override { return {kDesignedWidth, kDesignedHeight}; }

 private:
  QScrollArea* toolScroll_;
  QWidget* toolRow_;
  QScrollArea* scroll_;
  QWidget* designed_;
};

}  // namespace zelmo
