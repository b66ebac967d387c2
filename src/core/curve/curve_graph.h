// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The advance curve graph: its geometry, the mouse editing of the curve on it,
// and what a drawing of it contains. The toolkit side only paints the drawing
// and forwards mouse events.
#include <cstdint>
#include <string>

#include "core/curve/curve_document.h"
#include "core/curve/curve_drawing.h"
#include "core/model/parameter_image.h"
#include "core/model/parameter_table.h"

namespace zelmo {

// Point codes; 0..9 are the breakpoints.
inline constexpr int NoPoint = -100;
inline constexpr int LimiterPoint = -2;
inline constexpr int BasePoint = -1;

// Bits of graphRequest.
inline constexpr int GraphRedraw = 1;
inline constexpr int GraphRescale = 2;

inline bool IsBreakpointCode(int code) { return code >= 0 && code < kBreakpointCount; }
// Where the base point (BasePoint) or breakpoint p (0..9) stands: rpm and degrees.
inline int PointSpeed(const ParameterImage& image, int p) {
  return p == BasePoint ? 0 : UserValue(image, Field::RpmPoint, p);
}
inline int PointAdvance(const ParameterImage& image, int p) {
  return p == BasePoint ? UserValue(image, Field::BaseAdvance) : UserValue(image, Field::Advance, p);
}

enum class MouseKind { Move, Down, Up };

struct CurveGraph {
  float scaleX = 1.0F;  // pixels per rpm
  float scaleY = 1.0F;  // pixels per degree
  std::int32_t marginLeft = 25;
  std::int32_t marginRight = 10;
  std::int32_t marginTop = 5;
  std::int32_t marginBottom = 15;
  std::int32_t areaLeft = 0;
  std::int32_t areaTop = 0;
  std::int32_t areaRight = 0;
  std::int32_t areaBottom = 0;
  std::int32_t originX = 0;  // pixel of 0 rpm
  std::int32_t originY = 0;  // pixel of 0 degrees
  std::int32_t plotWidth = 0;
  std::int32_t plotHeight = 0;
  std::int32_t grabbed = NoPoint;
  std::int32_t grabOffsetX = 0;
  std::int32_t grabOffsetY = 0;
  std::int32_t rpmMax = 0;
  std::int32_t degMax = 0;
  std::int32_t warpPending = 0;  // the next move event is the echo of our own pointer move
  std::int32_t hovered = NoPoint;
  std::int32_t lastLiveRpm = 0;
  std::int32_t allMode = 0;  // Shift held: a breakpoint drag moves every advance
  // Requests since the last drawing; the window adds to it, the drawing clears it.
  std::int32_t graphRequest = GraphRescale;

  void request(int bits) { graphRequest |= bits; }

  // Pixel of a speed in rpm and of an advance in degrees.
  int x(int speed) const;
  int y(int advance) const;
  // Grid line (and label) positions of i thousand rpm and j times 5 degrees.
  int gridX(int i) const;
  int gridY(int j) const;

  // Geometry and axis ranges for a control of this size showing this image.
  void rescale(int width, int height, const ParameterImage& image);

  // The point under (X, Y): a point code, NoPoint when nothing is in reach.
  int hitTest(int X, int Y, const ParameterImage& image) const;

  // One mouse event over the graph (or captured by it during a drag), in graph
  // pixels. Down and Up only for the left button.
  void mouse(MouseKind kind, int X, int Y, CurveDocument& document, CurveSurface& surface);
  // The pointer left the graph.
  void mouseLeave();

  // Once per timer tick: takes the Shift state and the live engine speed and
  // says whether the graph has to be drawn now.
  bool tick(bool shiftDown, int liveRpm);
  // Takes the Shift state; a change asks for a drawing.
  void takeShift(bool shiftDown);
  // Whether the Shift state can change what the graph shows or does: it frames
  // all breakpoints around a hovered or grabbed one and makes a breakpoint
  // drag move every advance, and does nothing else. Reading the keyboard is a
  // round trip to the display server, which the toolkit side saves itself at
  // the ticks when this is false.
  bool shiftMatters() const { return IsBreakpointCode(hovered) || IsBreakpointCode(grabbed); }

  // Rescales if asked to, clears the requests and describes the whole bitmap
  // and the hint, and whether only the live line moved since the drawing
  // `out` held. `out` is refilled; its storage is reused between drawings.
  // The margins take the window's background and the axis labels its text
  // colour, so they read on a dark desktop too.
  void draw(int width, int height, const ParameterImage& image, int liveRpm, Rgb background, Rgb text,
            CurveDrawing& out);

 private:
  void drag(int X, int Y, CurveDocument& document, CurveSurface& surface);
  void grab(int X, int Y, const ParameterImage& image);
};

// The status-bar text for what is grabbed or hovered (UTF-8).
std::string CurveHint(const CurveGraph& graph, const ParameterImage& image);

}  // namespace zelmo
