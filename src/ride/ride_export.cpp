// SPDX-License-Identifier: GPL-3.0-or-later
#include "ride/ride_export.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include "core/lang/pattern.h"
#include "core/ride/ride_texts.h"

namespace zelmo {
namespace {

// Text sizes in pixels of the laid-out view, so that the PNG and the PDF
// show the same proportions whatever the device's resolution.
void Prepare(QPainter& painter) {
  QFont font = painter.font();
  font.setPixelSize(14);
  painter.setFont(font);
}

QString Suffix(const QString& file) { return QFileInfo(file).suffix().toLower(); }

QString Failed(const QString& file, const QSaveFile& out, std::uint8_t language) {
  const std::string text = FillText(RideTextOf(RideText::ExportFailed, language), file.toStdString());
  QString message = QString::fromStdString(text);
  if (!out.errorString().isEmpty()) message += QLatin1Char('\n') + out.errorString();
  return message;
}

}  // namespace

bool IsRideExportFile(const QString& file) {
  const QString suffix = Suffix(file);
  return suffix == QLatin1String("png") || suffix == QLatin1String("pdf");
}

bool ExportRide(const QString& file, const RideScene& scene, const ParameterImage& editor, QString* error, QSize size) {
  QSaveFile out(file);
  const auto fail = [&] {
    if (error != nullptr) *error = Failed(file, out, scene.language);
    out.cancelWriting();
    return false;
  };
  if (!IsRideExportFile(file) || !out.open(QIODevice::WriteOnly)) return fail();

  if (Suffix(file) == QLatin1String("png")) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      Prepare(painter);
      PaintRideSheet(painter, QRect(QPoint(0, 0), size), scene, editor);
    }
    if (!image.save(&out, "PNG")) return fail();
  } else {
    QPdfWriter pdf(&out);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Millimeter));
    pdf.setCreator(QStringLiteral("Zelmo TCI"));
    pdf.setTitle(QFileInfo(file).completeBaseName());
    QPainter painter;
    if (!painter.begin(&pdf)) return fail();
    // The view keeps its proportions on the page, from the top left.
    const QRect page = painter.viewport();
    const double scale =
        std::min(static_cast<double>(page.width()) / size.width(), static_cast<double>(page.height()) / size.height());
    painter.setViewport(page.left(), page.top(), static_cast<int>(size.width() * scale),
                        static_cast<int>(size.height() * scale));
    painter.setWindow(QRect(QPoint(0, 0), size));
    Prepare(painter);
    PaintRideSheet(painter, QRect(QPoint(0, 0), size), scene, editor);
    if (!painter.end()) return fail();
  }
  if (!out.commit()) return fail();
  return true;
}

}  // namespace zelmo
