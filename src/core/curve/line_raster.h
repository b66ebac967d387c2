// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pixels of a 1-pixel line from its start up to, not including, its end
// pixel, as runs along the line's major axis, so a painter can fill them and
// be exact whatever its own line rasteriser would pick.
#include <cstdlib>

namespace zelmo {

struct PixelRun {
  int x = 0;       // first pixel of the run (lowest x for a horizontal run,
  int y = 0;       // lowest y for a vertical one)
  int length = 0;  // pixels along the run
  bool horizontal = true;
};

// Calls sink(PixelRun) for every run, in order from the start.
template <class Sink>
void RasteriseLine(int x1, int y1, int x2, int y2, Sink&& sink) {
  const int dx = std::abs(x2 - x1);
  const int dy = std::abs(y2 - y1);
  const int sx = x2 >= x1 ? 1 : -1;
  const int sy = y2 >= y1 ? 1 : -1;
  const bool horizontal = dx >= dy;
  const int major = horizontal ? dx : dy;
  if (major == 0) return;
  const int minor = horizontal ? dy : dx;

  // Bresenham over the major axis; a run ends where the minor coordinate steps.
  int error = major / 2;
  int x = x1;
  int y = y1;
  PixelRun run{x, y, 0, horizontal};
  const auto flush = [&] {
    if (run.length == 0) return;
    if (horizontal && sx < 0) run.x -= run.length - 1;
    if (!horizontal && sy < 0) run.y -= run.length - 1;
    sink(run);
  };
  for (int i = 0; i < major; ++i) {
    ++run.length;
    error -= minor;
    if (horizontal) {
      x += sx;
    } else {
      y += sy;
    }
    if (error < 0) {
      error += major;
      if (horizontal) {
        y += sy;
      } else {
        x += sx;
      }
      flush();
      run = PixelRun{x, y, 0, horizontal};
    } else if (i + 1 == major) {
      flush();
    }
  }
}

}  // namespace zelmo
