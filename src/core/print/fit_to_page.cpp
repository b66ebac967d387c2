// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/print/fit_to_page.h"

#include <cstdint>

namespace zelmo {
namespace {

// a * b / c rounded to the nearest integer, for positive values, without the
// overflow that int arithmetic would risk at printer resolutions.
int MulDivRound(int a, int b, int c) {
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  return static_cast<int>((product + c / 2) / c);
}

}  // namespace

PrintSize FitToPage(int imageWidth, int imageHeight, int pageWidth, int pageHeight) {
  if (imageWidth <= 0 || imageHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) {
    return {};
  }
  const int widthAtFullHeight = MulDivRound(imageWidth, pageHeight, imageHeight);
  if (widthAtFullHeight < pageWidth) {
    return {widthAtFullHeight, pageHeight};
  }
  return {pageWidth, MulDivRound(imageHeight, pageWidth, imageWidth)};
}

}  // namespace zelmo
