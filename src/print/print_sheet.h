#pragma once
// One page with the picture of the window, on the default printer without a
// dialog or into a PDF file.
#include <QImage>
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

// Prints the picture stretched to fit the page (FitToPage), its top left
// corner at the page's top left corner. A PDF page is A4 without margins.
PrintResult PrintSheet(const QImage& clientArea, const PrintTarget& target);

}  // namespace zelmo
