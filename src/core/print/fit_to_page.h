// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size at which a picture of the window is printed: as large as one page
// allows without distortion, anchored at the page's top left corner.

namespace zelmo {

struct PrintSize {
  int width = 0;
  int height = 0;
};

// Image w x h on a page W x H (printer pixels). The printed width
// round(w * H / h) decides: below W the picture fills the page height,
// otherwise it fills the page width and the height is round(h * W / w).
// A degenerate image or page prints nothing (0 x 0).
PrintSize FitToPage(int imageWidth, int imageHeight, int pageWidth, int pageHeight);

}  // namespace zelmo
