// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/window_place.h"

#include <algorithm>

namespace zelmo {
namespace {

// Inside the range [low, high]; low wins when the range is empty.
int Keep(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

WindowRequest PlaceWindow(WindowRequest window, const WindowLimits& limits, const ScreenBox& area) {
  const FrameMargins& frame = limits.frame;
  const int roomWidth = area.width - frame.left - frame.right;
  const int roomHeight = area.height - frame.top - frame.bottom;
  window.width = std::max(limits.minimumWidth, std::min(window.width, roomWidth));
  window.height = std::max(limits.minimumHeight, std::min(window.height, roomHeight));

  const int frameWidth = window.width + frame.left + frame.right;
  const int frameHeight = window.height + frame.top + frame.bottom;
  window.left = Keep(window.left, area.left, area.left + area.width - frameWidth);
  window.top = Keep(window.top, area.top, area.top + area.height - frameHeight);
  return window;
}

WindowRequest CentreWindow(int width, int height, const WindowLimits& limits, const ScreenBox& area) {
  WindowRequest window = PlaceWindow({area.left, area.top, width, height}, limits, area);
  const int frameWidth = window.width + limits.frame.left + limits.frame.right;
  const int frameHeight = window.height + limits.frame.top + limits.frame.bottom;
  window.left = area.left + std::max(0, (area.width - frameWidth) / 2);
  window.top = area.top + std::max(0, (area.height - frameHeight) / 2);
  return window;
}

}  // namespace zelmo
