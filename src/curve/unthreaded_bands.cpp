// SPDX-License-Identifier: GPL-3.0-or-later
#include "curve/unthreaded_bands.h"

#include <QPaintEngine>
#include <QPainter>
#include <algorithm>

namespace zelmo {

int UnthreadedBandRows(const QPainter& painter) {
  constexpr int kUnthreadedDeviceRows = 64;
  const QPaintEngine* engine = painter.paintEngine();
  if (engine == nullptr || engine->type() != QPaintEngine::Raster) return 0;
  const qreal scale = std::max<qreal>(1.0, painter.deviceTransform().m22());
  return std::max(1, static_cast<int>(kUnthreadedDeviceRows / scale));
}

}  // namespace zelmo
