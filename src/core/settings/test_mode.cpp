// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/test_mode.h"

namespace zelmo {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

bool CheckTestMode(std::string_view content) {
  std::size_t pos = 0;
  while (pos < content.size()) {
    while (pos < content.size() && IsSpace(content[pos])) ++pos;
    std::size_t end = pos;
    while (end < content.size() && !IsSpace(content[end])) ++end;
    // Words are compared whole, however long: a long word is never split
    // into pieces that could match.
    if (content.substr(pos, end - pos) == "SVC_DISPLAY") return true;
    pos = end;
  }
  return false;
}

}  // namespace zelmo
