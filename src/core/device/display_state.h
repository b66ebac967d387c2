// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain display state of the device side: what a label or a gauge shows.
// The window maps it onto widgets, the command-line tool onto text.
#include <string>

namespace zelmo {

enum class Colour { ButtonFace, Red, Yellow, Lime, Aqua };

struct LabelState {
  std::string text;
  Colour colour = Colour::ButtonFace;
  bool visible = false;

  bool operator==(const LabelState&) const = default;
};

struct GaugeState {
  int maximum = 1;
  int position = 0;  // always within 0..maximum
  bool visible = false;

  bool operator==(const GaugeState&) const = default;
};

}  // namespace zelmo
