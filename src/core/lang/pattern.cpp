// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/pattern.h"

namespace zelmo {
namespace {

std::string Replace(std::string_view pattern, std::string_view place, std::string_view value) {
  std::string text(pattern);
  const std::size_t at = text.find(place);
  if (at != std::string::npos) text.replace(at, place.size(), value);
  return text;
}

}  // namespace

std::string FillNumber(std::string_view pattern, long long value) {
  return Replace(pattern, "%d", std::to_string(value));
}

std::string FillText(std::string_view pattern, std::string_view value) { return Replace(pattern, "%s", value); }

}  // namespace zelmo
