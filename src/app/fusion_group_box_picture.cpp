// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fusion_group_box_picture.h"

#include <algorithm>
#include <initializer_list>

namespace zelmo {

QImage FusionGroupBoxPicture() {
  constexpr int kWidth = 98;
  constexpr int kHeight = 38;
  QImage picture(kWidth, kHeight, QImage::Format_ARGB32);
  // Every row is one colour between a few pixels of border at either end.
  auto rows = [&picture](int first, int last, std::initializer_list<QRgb> left, QRgb between,
                         std::initializer_list<QRgb> right) {
    for (int y = first; y <= last; ++y) {
      auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
      std::fill(row, row + kWidth, between);
      std::copy(left.begin(), left.end(), row);
      std::copy(right.begin(), right.end(), row + kWidth - static_cast<int>(right.size()));
    }
  };
  const QRgb clear = 0x00ffffff;
  rows(0, 0, {}, clear, {});
  rows(1, 1, {clear, 0x0d272727, 0x345d5d5d, 0x346c6c6c}, 0x32757575, {0x346c6c6c, 0x37666666, 0x0c151515});
  rows(2, 2, {clear, 0x39626262, 0x1f5a5a5a, 0x0a000000, 0x08000000}, 0x07000000,
       {0x08000000, 0x0a000000, 0x1e5e5e5e, 0x355b5b5b});
  rows(3, 3, {clear, 0x346c6c6c, 0x09000000}, 0x03000000, {0x09000000, 0x346c6c6c});
  rows(4, 4, {clear, 0x32757575, 0x08000000}, 0x03000000, {0x08000000, 0x32757575});
  rows(5, 33, {clear, 0x32757575, 0x07000000}, 0x03000000, {0x07000000, 0x32757575});
  rows(34, 34, {clear, 0x32757575, 0x08000000}, 0x03000000, {0x08000000, 0x32757575});
  rows(35, 35, {clear, 0x346c6c6c, 0x09000000}, 0x03000000, {0x09000000, 0x346c6c6c});
  rows(36, 36, {clear, 0x355b5b5b, 0x1e5e5e5e, 0x0a000000, 0x08000000}, 0x07000000,
       {0x08000000, 0x0a000000, 0x1f5a5a5a, 0x39626262});
  rows(37, 37, {clear, 0x0c151515, 0x37666666, 0x346c6c6c}, 0x32757575, {0x346c6c6c, 0x345d5d5d, 0x0d272727});
  return picture;
}

}  // namespace zelmo
