// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_file.h"

#include <charconv>

namespace zelmo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string WithoutLineBreaks(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  // Editors on Windows may put a UTF-8 byte order mark before the first section.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    doc.byteOrderMark_ = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

    Line line;
    line.text = std::string(raw);
    const std::string_view body = Trim(raw);
    if (!body.empty() && body.front() == '[') {
      const std::size_t close = body.find(']');
      line.kind = Line::Kind::Section;
      line.name = std::string(Trim(body.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    } else if (const std::size_t eq = body.find('='); !body.empty() && body.front() != ';' && eq != std::string_view::npos) {
      line.kind = Line::Kind::Key;
      line.name = std::string(Trim(body.substr(0, eq)));
      line.value = std::string(Trim(body.substr(eq + 1)));
    }
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

std::optional<std::size_t> IniDocument::sectionHeader(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Kind::Section && SameName(lines_[i].name, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::keyLine(std::string_view section, std::string_view key) const {
  bool inside = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Kind::Section) {
      inside = SameName(line.name, section);
    } else if (inside && line.kind == Line::Kind::Key && SameName(line.name, key)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view key) const {
  if (auto i = keyLine(section, key)) return lines_[*i].value;
  return std::nullopt;
}

std::string IniDocument::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  if (auto value = find(section, key)) return *value;
  return std::string(defaultValue);
}

int IniDocument::readInt(std::string_view section, std::string_view key, int defaultValue) const {
  const auto value = find(section, key);
  if (!value) return defaultValue;
  std::string_view text = *value;
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  int result = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  if (error != std::errc() || end != text.data() + text.size()) return defaultValue;
  return result;
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
  Line line;
  line.kind = Line::Kind::Key;
  line.name = WithoutLineBreaks(Trim(key));
  line.value = WithoutLineBreaks(Trim(value));
  line.text = line.name + "=" + line.value;

  if (auto i = keyLine(section, key)) {
    lines_[*i] = std::move(line);
    return;
  }
  if (auto header = sectionHeader(section)) {
    // After the section's last key, before the blank lines or comments that
    // lead to the next section.
    std::size_t at = *header + 1;
    for (std::size_t i = *header + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i) {
      if (lines_[i].kind == Line::Kind::Key) at = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    return;
  }
  Line head;
  head.kind = Line::Kind::Section;
  head.name = WithoutLineBreaks(Trim(section));
  head.text = "[" + head.name + "]";
  lines_.push_back(std::move(head));
  lines_.push_back(std::move(line));
}

void IniDocument::writeInt(std::string_view section, std::string_view key, int value) {
  write(section, key, std::to_string(value));
}

std::string IniDocument::serialize() const {
  std::string out = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

std::array<std::string, kPortMapSize> ReadPortMap(const IniDocument& ini) {
  std::array<std::string, kPortMapSize> ports;
  for (int i = 0; i < kPortMapSize; ++i) {
    ports[static_cast<std::size_t>(i)] = ini.readString("PORTS", "COM" + std::to_string(i + 1), "");
  }
  return ports;
}

}  // namespace zelmo
