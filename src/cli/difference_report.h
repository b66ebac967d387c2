// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The difference table a failed verify prints: the editor's parameters (the
// file given) against the 50 bytes the unit last answered with.
#include <array>
#include <cstdint>
#include <optional>
#include <ostream>

#include "core/device/frame.h"
#include "core/model/parameter_image.h"

namespace zelmo::cli {

// Prints nothing when the unit never answered with its parameters.
void PrintDifferenceReport(const ParameterImage& editor, const std::optional<Payload>& unit, std::ostream& out);

}  // namespace zelmo::cli
