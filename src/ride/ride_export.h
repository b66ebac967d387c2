// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ride viewer's export: the current view (plot and where the engine ran)
// as a PNG picture or a PDF page, painted by the same functions as the
// window. Both are written through QSaveFile, so a failed export never leaves
// half a file where an older one stood.
#include <QSize>
#include <QString>

#include "core/model/parameter_image.h"
#include "ride/ride_painter.h"

namespace zelmo {

// The size the view is laid out at before it is written: the PNG's pixels,
// and the PDF's page is filled with it, keeping its proportions.
inline constexpr QSize kRideExportSize(1600, 900);

// The format follows the file's extension, .png or .pdf (any case). False
// with the reason in *error (in the scene's language where it is ours).
bool ExportRide(const QString& file, const RideScene& scene, const ParameterImage& editor, QString* error,
                QSize size = kRideExportSize);

// Whether ExportRide knows the file's extension.
bool IsRideExportFile(const QString& file);

}  // namespace zelmo
