// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything one drawing of the curve graph puts on its bitmap, in painting
// order, in raster terms: a painter only has to loop over it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/look/rgb.h"
#include "core/model/parameter_image.h"

namespace zelmo {

namespace curve_colour {
inline constexpr Rgb kCream{255, 251, 240};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kGrid{128, 128, 128};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreen{0, 255, 0};
}  // namespace curve_colour

enum class DrawKind : std::uint8_t {
  // Rectangle between the corners (x1, y1) and (x2, y2) in any order; the
  // right and bottom edge are not part of it.
  Fill,
  // Line from (x1, y1) towards (x2, y2); the end pixel is not part of it.
  Line,
  // Square with rounded corners (corner ellipse 3 x 3) between (x1, y1) and
  // (x2, y2), right and bottom edge excluded; outlined in colour, filled in fill.
  RoundSquare,
  // Square outline through the corners (x1, y1) and (x2, y2), every pixel of
  // the outline included.
  Outline,
  // Text with its top left corner at (x1, y1), in colour, on an opaque
  // background of fill.
  Text,
};

struct DrawItem {
  DrawKind kind = DrawKind::Fill;
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  Rgb colour;
  Rgb fill;
  std::array<char, 12> text{};  // Text only, zero-terminated

  const char* textData() const { return text.data(); }
};

// A rectangle of the bitmap.
struct DrawBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const DrawBox&) const = default;
};

// Everything a drawing shows apart from the live line.
struct DrawnFrom {
  int width = 0;
  int height = 0;
  ParameterImage image;
  Rgb background;
  Rgb text;
  int grabbed = 0;
  int hovered = 0;
  int allMode = 0;
  float scaleX = 0.0F;
  float scaleY = 0.0F;
  int originX = 0;
  int originY = 0;
  int plotWidth = 0;
  int plotHeight = 0;
  int rpmMax = 0;
  int degMax = 0;

  bool operator==(const DrawnFrom&) const = default;
};

inline constexpr int kNoLiveLine = -1000000;

struct CurveDrawing {
  int width = 0;
  int height = 0;
  std::vector<DrawItem> items;
  std::string hint;  // UTF-8; empty when nothing is hovered or grabbed

  // While the engine runs only the live line moves, at every tick. When a
  // drawing differs from the one it replaced in this object by that line
  // alone, partial is true and changed holds the line's old and new columns
  // (nothing if it stayed); a painter that kept the old bitmap repaints just
  // those. Otherwise the whole bitmap is new.
  bool partial = false;
  std::vector<DrawBox> changed;
  DrawnFrom drawnFrom;
  int liveX = kNoLiveLine;  // column of the live line, if there is one
};

}  // namespace zelmo
