// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader announces for the controls whose meaning no caption of
// their own tells: the breakpoint fields named from their column heads, the
// tool buttons from their hints, the graph with the list of its points. All
// in the selected language; the French slot, which has no texts, reads English.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/parameter_image.h"

namespace zelmo {

struct ControlName {
  std::string control;  // the control's object name
  std::string name;
};

// The head of a column with the row's number: "Advance [°]" and 3 give
// "Advance 3 [°]"; a head without a unit in brackets ends with the number.
std::string NumberedHead(std::string_view head, int number);

// The names of the breakpoint fields, the bike list, the advance shift
// buttons, the six tool buttons and the graph. The other fields are named by
// the labels beside them.
std::vector<ControlName> ControlNames(std::uint8_t languageId);

// The curve as the graph shows it, point by point: the base advance, each
// breakpoint's speed and advance, the limiter.
std::string CurveDescription(const ParameterImage& image, std::uint8_t languageId);

}  // namespace zelmo
