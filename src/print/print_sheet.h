// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One page with the window's client area, on the default printer without a
// dialog or into a PDF file.
//
// The client area comes as a recording of its painting (QPicture), not as a
// screen bitmap: replayed on the printer's painter, texts and lines are drawn
// at the printer's resolution, and a PDF holds the labels and values as real
// text. Bitmaps inside it, such as the curve graph, stay bitmaps.
#include <QPicture>
#include <QSize>
#include <QString>

namespace zelmo {

struct PrintTarget {
  // Empty: the system's default printer. Otherwise the PDF file to write.
  QString pdfFile;
};

struct PrintResult {
  bool ok = false;
  QString error;  // why it failed, for the user; empty on success
};

// Whether the system names a default printer (else the caller may offer a PDF).
bool HasDefaultPrinter();

struct PrintPicture {
  QPicture picture;  // painted with its top left corner at (0, 0)
  QSize size;        // the client area's size in screen pixels
};

// Prints the picture scaled to fit the page (FitToPage), its top left corner
// at the page's top left corner. A PDF page is A4 without margins.
PrintResult PrintSheet(const PrintPicture& clientArea, const PrintTarget& target);

}  // namespace zelmo
