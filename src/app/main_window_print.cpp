// SPDX-License-Identifier: GPL-3.0-or-later
// The printout: the window in its print appearance, recorded as one picture
// and replayed on one page of the default printer or of a PDF file.
#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>

#include "app/client_area.h"
#include "app/main_window.h"
#include "core/lang/pattern.h"
#include "print/print_stamp.h"

namespace zelmo {
namespace {

// Empty when the user declines or cancels.
QString ChoosePdfInstead(QWidget* parent, std::uint8_t languageId) {
  const QMessageBox::StandardButton answer =
      QMessageBox::question(parent, parent->windowTitle(), Utf8Text(ExtraText(Extra::NoPrinter, languageId)),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  if (answer != QMessageBox::Yes) return {};
  return AskFileToWrite(parent, "PrintPdfDialog", QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
}

}  // namespace

void TFormHlav::setPrintAppearance(bool on) {
  printingMode_ = on;
  UpdateControlStates();
}

void TFormHlav::SpeedButtonPrintClick() {
  // Asked before the print appearance, so no tick runs while the window is white.
  PrintTarget target{options_.printTo};
  if (target.pdfFile.isEmpty() && !printModule_.hasDefaultPrinter()) {
    target.pdfFile = ChoosePdfInstead(this, session_->choices().languageId);
    if (target.pdfFile.isEmpty()) return;
  }

  const std::uint8_t language = session_->choices().languageId;
  const std::optional<QString> stamp = PrintStamp(language, QDateTime::currentDateTime());
  const std::string stampText = stamp ? stamp->toStdString() : std::string();
  session_->showStamp(stamp ? std::optional<std::string_view>(stampText) : std::nullopt);
  showDeviceDisplay(false);

  setPrintAppearance(true);
  // The whole design, also when the window is smaller and scrolled.
  PrintPicture sheet;
  sheet.size = QSize(kDesignedWidth, kDesignedHeight);
  {
    QPainter painter(&sheet.picture);
    client_->paintDesign(painter);
  }

  const PrintResult result = printModule_.print(sheet, target);

  // Back to normal whether or not the job went through.
  setPrintAppearance(false);
  session_->hideOperation();
  showDeviceDisplay(false);

  if (!result.ok) {
    // Nothing was printed, so no stamp stays to claim it was.
    session_->withdrawStamp();
    const std::string text = FillText(ExtraText(Extra::PrintFailed, language), result.error.toStdString());
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(text));
  }
}

}  // namespace zelmo
