// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text in the tool is UTF-8. A path made from such text, or a path shown as
// text, goes through these: on Windows a path from a plain std::string is read
// in the ANSI code page, which turns "Jiří" into other letters or throws.
#include <filesystem>
#include <string>
#include <string_view>

namespace zelmo {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace zelmo
