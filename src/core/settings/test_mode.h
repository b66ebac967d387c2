// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test-mode marker: a file whose words include "SVC_DISPLAY" shows the
// eight service readouts.
#include <string_view>

namespace zelmo {

// True when a white-space separated word equals "SVC_DISPLAY" exactly
// (case-sensitive, as a whole word).
bool CheckTestMode(std::string_view content);

}  // namespace zelmo
