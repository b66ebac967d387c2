// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One page with the window's client area, on the default printer without a
// dialog or into a PDF file, by the printing module.
//
// The client area comes as a recording of its painting (QPicture), not as a
// screen bitmap: replayed on the printer's painter, texts and lines are drawn
// at the printer's resolution, and a PDF holds the labels and values as real
// text. Bitmaps inside it, such as the curve graph, stay bitmaps.
#include <QPicture>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class QPluginLoader;

namespace zelmo {

struct PrintTarget {
  // Empty: the system's default printer. Otherwise the PDF file to write.
  QString pdfFile;
};

struct PrintResult {
  bool ok = false;
  QString error;  // why it failed, for the user; empty on success
};

struct PrintPicture {
  QPicture picture;  // painted with its top left corner at (0, 0)
  QSize size;        // the client area's size in screen pixels
};

class SheetPrinter;

// The printing module, loaded at its first use from the first of the folders
// that holds it. By default these are the program's own folder (a build tree)
// and the module folder of the installation, found from the program's folder,
// so an installed tree can be moved as a whole.
class PrintModule {
 public:
  PrintModule();
  explicit PrintModule(QStringList folders);
  ~PrintModule();
  PrintModule(const PrintModule&) = delete;
  PrintModule& operator=(const PrintModule&) = delete;

  // Whether the system names a default printer (else the caller may offer a
  // PDF). False when the module cannot be loaded: printing then fails with
  // the reason.
  bool hasDefaultPrinter();
  // Prints the picture scaled to fit the page (FitToPage), its top left
  // corner at the page's top left corner. A PDF page is A4 without margins.
  PrintResult print(const PrintPicture& clientArea, const PrintTarget& target);

 private:
  const SheetPrinter* printer();

  QStringList folders_;
  std::unique_ptr<QPluginLoader> loader_;
  const SheetPrinter* printer_ = nullptr;
  QString loadError_;
};

}  // namespace zelmo
