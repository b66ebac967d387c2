// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fusion's picture of a group box frame, built from its rows rather than read
// from Qt's PNG: decoding that one small picture would page in the PNG decoder
// and zlib's inflate code, some 200 kB of the window's memory.
#include <QImage>

namespace zelmo {

// Qt 6's fusion_groupbox.png, pixel for pixel: 98 x 38, not premultiplied,
// as Qt's PNG reader returns it.
QImage FusionGroupBoxPicture();

}  // namespace zelmo
