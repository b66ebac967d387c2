// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a parameter file: reading, ordering and writing back must stay
// within bounds, and a refused file must leave the image as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/files/ign_format.h"
#include "core/model/ordering.h"
#include "core/model/presets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelmo;
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const ParameterImage before = NewParameters(0);
  ParameterImage image = before;
  if (!ReadParameterFile(content, image)) {
    if (!(image == before)) std::abort();
    return 0;
  }
  OrderingMemory memory;
  StoredChoices choices;
  OrderBreakpoints(image, memory, choices);
  // What the tool writes it reads back unchanged.
  ParameterImage again = NewParameters(0);
  if (!ReadParameterFile(WriteParameterFile(image), again)) std::abort();
  for (int i = 0; i < kBreakpointCount; ++i) {
    if (again.rpmPoint(i) != image.rpmPoint(i) || again.advance(i) != image.advance(i)) std::abort();
  }
  if (again.speedCorrection() != image.speedCorrection() || again.limiter() != image.limiter()) std::abort();
  return 0;
}
