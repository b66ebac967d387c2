// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a test-mode marker file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/settings/test_mode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zelmo::CheckTestMode(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
