// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures painted in bands so that Qt's raster engine keeps them on the
// calling thread.
//
// The raster engine, which paints the screen, hands a scaled or clipped
// picture of more than about 95 spans (device rows of each clip rectangle) to
// worker threads, which then stay for half a minute: two threads and about
// 0.2 MB for the graph drawn at every tick, or for the window's group box
// frames. Painted as the same whole picture clipped to bands of fewer device
// rows, each band stays on the calling thread and the pixels are the same at
// any scale. Other devices (a printer, a PDF) get a picture in one piece: on
// paper the bands' edges would show.
class QPainter;

namespace zelmo {

// Logical rows of one band for this painter; 0 when it does not paint with
// the raster engine and the picture should go in one piece.
int UnthreadedBandRows(const QPainter& painter);

}  // namespace zelmo
