// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts that must stay whole in every language: buttons that grow to their
// caption and red banners that take a smaller font or a second line rather
// than run past the window's edge.
#include <QRect>
#include <span>

class QLabel;
class QPushButton;

namespace zelmo {

// The width the button needs for its caption with a little air on both sides,
// by its own style and font.
int CaptionWidth(const QPushButton& button);

// A button with its designed place. The row keeps each button at its place
// and size unless a caption needs more room; a grown button pushes the ones
// after it right, keeping the designed gap. Returns the right edge of the last.
struct RowButton {
  QPushButton* button;
  QRect designed;
};
int FitButtonRow(std::span<const RowButton> row, int gap);

// Fits a banner's current text between its left edge and right (exclusive):
// on one line at its designed pixel size or a few pixels smaller if it can,
// else on up to maxLines lines at the largest size down to a floor that still
// reads as a warning; a text that fits nowhere takes the floor's size and as
// many lines as it needs.
void FitBanner(QLabel& label, int designedPixelSize, int right, int maxLines);

}  // namespace zelmo
