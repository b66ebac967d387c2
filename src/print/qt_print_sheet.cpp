// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/qt_print_sheet.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

#include "core/print/fit_to_page.h"

namespace zelmo {
namespace {

std::unique_ptr<QPrinter> MakePrinter(const PrintTarget& target, QString& error) {
  if (!target.pdfFile.isEmpty()) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(target.pdfFile);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    return printer;
  }
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    error = QStringLiteral("no default printer is set up");
    return nullptr;
  }
  return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

}  // namespace

bool QtHasDefaultPrinter() { return !QPrinterInfo::defaultPrinter().isNull(); }

PrintResult QtPrintSheet(const PrintPicture& clientArea, const PrintTarget& target) {
  if (clientArea.size.isEmpty() || clientArea.picture.isNull()) {
    return {false, QStringLiteral("there is no picture to print")};
  }
  QString error;
  const std::unique_ptr<QPrinter> printer = MakePrinter(target, error);
  if (!printer) {
    return {false, error};
  }
  printer->setDocName(QStringLiteral("Zelmo TCI parameters"));

  QPainter painter;
  if (!painter.begin(printer.get())) {
    if (!target.pdfFile.isEmpty()) {
      return {false, QStringLiteral("cannot write %1").arg(target.pdfFile)};
    }
    return {false, QStringLiteral("the printer %1 refused the job").arg(printer->printerName())};
  }
  const PrintSize size =
      FitToPage(clientArea.size.width(), clientArea.size.height(), printer->width(), printer->height());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setClipRect(QRect(0, 0, size.width, size.height));
  // A picture replays at the printer's resolution, grown by the ratio of the
  // two resolutions; the fit size is in printer pixels, so that ratio comes off.
  const double dpiX = static_cast<double>(clientArea.picture.logicalDpiX()) / printer->logicalDpiX();
  const double dpiY = static_cast<double>(clientArea.picture.logicalDpiY()) / printer->logicalDpiY();
  painter.scale(dpiX * size.width / clientArea.size.width(), dpiY * size.height / clientArea.size.height());
  painter.drawPicture(0, 0, clientArea.picture);
  if (!painter.end()) {
    return {false, QStringLiteral("the print job could not be finished")};
  }
  return {true, {}};
}

}  // namespace zelmo
