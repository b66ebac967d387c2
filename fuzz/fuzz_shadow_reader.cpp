// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a shadow file: never more than the 55 bytes of the area, and
// what is written reads back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/settings/shadow_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelmo;
  ParameterImage area;
  if (ReadShadowFile(std::string_view(reinterpret_cast<const char*>(data), size), area) > kAreaSize) std::abort();
  ParameterImage back;
  if (ReadShadowFile(WriteShadowFile(area), back) != kAreaSize || !(back == area)) std::abort();
  return 0;
}
