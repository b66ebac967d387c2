// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/shadow_file.h"

#include <cstdio>

namespace zelmo {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::string WriteShadowFile(const ParameterImage& area) {
  std::string out;
  for (std::size_t i = 0; i < kAreaSize; ++i) {
    char buffer[8];
    const int n = std::snprintf(buffer, sizeof buffer, "%5u ", static_cast<unsigned>(area.area[i]));
    out.append(buffer, static_cast<std::size_t>(n));
    if (i % 10 == 9) out += "\r\n";
  }
  return out;
}

std::size_t ReadShadowFile(std::string_view content, ParameterImage& area) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (count < kAreaSize) {
    while (pos < content.size() && IsSpace(content[pos])) ++pos;
    if (pos == content.size()) break;
    unsigned value = 0;
    std::size_t end = pos;
    for (; end < content.size() && !IsSpace(content[end]); ++end) {
      const char c = content[end];
      if (c < '0' || c > '9') return count;
      value = (value * 10u + static_cast<unsigned>(c - '0')) & 0xffu;
    }
    area.area[count++] = static_cast<std::uint8_t>(value);
    pos = end;
  }
  return count;
}

}  // namespace zelmo
