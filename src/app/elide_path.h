// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Long device paths (a stable /dev/serial/by-id/... name runs to sixty
// characters) shortened for a label or a menu item: the folders give way in
// the middle, the device's own name at the end stays readable.
#include <QFontMetrics>
#include <QString>

namespace zelmo {

// The text as it fits into width pixels of that font. The first "/" starts the
// path; whatever precedes it ("COM= COM3  ", "Com 3  (") and the device's name
// with whatever follows it are kept whole while the folders between can be
// shortened. When even that does not fit, the folders become "…/" and the
// name loses its middle; at last the whole text is cut at the end. A text that fits comes back as it is.
QString ElideDevicePath(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace zelmo
