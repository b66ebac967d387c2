// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An INI document that keeps every line it does not change: sections in
// square brackets, key=value lines, anything else carried as it stands.
// Section and key names match without regard to case (ASCII).
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmo {

class IniDocument {
 public:
  IniDocument() = default;
  // Any text is accepted; lines that are neither section nor key are kept.
  static IniDocument Parse(std::string_view text);

  // The value of the first matching key; nothing when section or key is missing.
  std::optional<std::string> find(std::string_view section, std::string_view key) const;
  std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // A value that is not a whole decimal integer within int's range gives the default.
  int readInt(std::string_view section, std::string_view key, int defaultValue) const;

  // Replaces the first matching key in place, or appends the key at the end of
  // its section, or appends the section at the end of the document. Line
  // breaks in the value cannot be stored and are dropped.
  void write(std::string_view section, std::string_view key, std::string_view value);
  void writeInt(std::string_view section, std::string_view key, int value);

  // Every line ends in CR LF.
  std::string serialize() const;

 private:
  struct Line {
    std::string text;  // as read, without its line break
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed
  };
  // Index of the line after the section's header and its last key line, or
  // nothing when the section does not exist.
  std::optional<std::size_t> sectionHeader(std::string_view section) const;
  std::optional<std::size_t> keyLine(std::string_view section, std::string_view key) const;

  std::vector<Line> lines_;
  bool byteOrderMark_ = false;
};

// Section "PORTS": COM1..COM21 naming the device each port number stands for,
// e.g. COM3=/dev/ttyUSB0. Index 0 is COM1; empty where no device is named.
inline constexpr int kPortMapSize = 21;
std::array<std::string, kPortMapSize> ReadPortMap(const IniDocument& ini);

}  // namespace zelmo
