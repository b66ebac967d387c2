// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace zelmo {
namespace {

constexpr int kCaptionAir = 3;
constexpr int kSmallestOneLinePixels = 16;
constexpr int kSmallestBannerPixels = 14;

// Lines the text takes when broken at blanks to width; 0 when one word alone
// is wider than that.
int LinesNeeded(const QString& text, const QFontMetrics& metrics, int width) {
  int lines = 1;
  int used = 0;
  const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const int advance = metrics.horizontalAdvance(word);
    if (advance > width) return 0;
    if (used == 0) {
      used = advance;
    } else if (used + blank + advance <= width) {
      used += blank + advance;
    } else {
      ++lines;
      used = advance;
    }
  }
  return lines;
}

}  // namespace

int CaptionWidth(const QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QRect contents = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  const int frame = button.width() - contents.width();
  const int text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text()).width();
  return frame + text + 2 * kCaptionAir;
}

int FitButtonRow(std::span<const RowButton> row, int gap) {
  int right = 0;
  bool first = true;
  for (const RowButton& entry : row) {
    const int left = first ? entry.designed.x() : std::max(entry.designed.x(), right + gap);
    const int width = std::max(entry.designed.width(), CaptionWidth(*entry.button));
    entry.button->setGeometry(left, entry.designed.y(), width, entry.designed.height());
    right = left + width;
    first = false;
  }
  return right;
}

void FitBanner(QLabel& label, int designedPixelSize, int right, int maxLines) {
  // The frame of the label, if any, is outside the text's room.
  const int frame = label.width() - label.contentsRect().width();
  const int room = right - label.x() - frame;
  const QString text = label.text();
  QFont font = label.font();
  auto lay = [&label, &font, right](int pixels, bool wrap) {
    font.setPixelSize(pixels);
    label.setFont(font);
    label.setWordWrap(wrap);
    label.adjustSize();
    if (wrap) {
      const int width = right - label.x();
      label.resize(width, label.heightForWidth(width));
    }
  };
  // A little smaller on one line first: the banner keeps to its row.
  for (int pixels = designedPixelSize; pixels >= kSmallestOneLinePixels; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).horizontalAdvance(text) <= room) return lay(pixels, false);
  }
  for (int pixels = designedPixelSize; pixels >= kSmallestBannerPixels; --pixels) {
    font.setPixelSize(pixels);
    const int lines = LinesNeeded(text, QFontMetrics(font), room);
    if (lines != 0 && lines <= maxLines) return lay(pixels, true);
  }
  lay(kSmallestBannerPixels, true);
}

}  // namespace zelmo
