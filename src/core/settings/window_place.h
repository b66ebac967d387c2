// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the window opens: the stored or centred geometry brought inside the
// part of the screen that panels and docks leave free, so that the title bar
// and the menu are always reachable.
namespace zelmo {

struct ScreenBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// What the window manager adds around the window's inside.
struct FrameMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct WindowRequest {
  // The frame's top left corner (where a move puts the window).
  int left = 0;
  int top = 0;
  // The inside of the window, without the frame.
  int width = 0;
  int height = 0;
};

struct WindowLimits {
  FrameMargins frame;
  // The smallest inside below which controls could no longer be reached.
  int minimumWidth = 0;
  int minimumHeight = 0;
};

// The inside shrunk to what the area can hold with the frame (never below the
// minimum), then the frame moved inside the area. When even the minimum does
// not fit, the frame's top left corner sits at the area's top left corner.
WindowRequest PlaceWindow(WindowRequest window, const WindowLimits& limits, const ScreenBox& area);

// The window's inside sized as asked, then centred in the area and fitted.
WindowRequest CentreWindow(int width, int height, const WindowLimits& limits, const ScreenBox& area);

}  // namespace zelmo
