// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/ign_format.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "core/model/bike_code.h"
#include "core/model/parameter_table.h"

namespace zelmo {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

void AppendNumber(std::string& out, const char* format, int value) {
  char buffer[16];
  const int n = std::snprintf(buffer, sizeof buffer, format, value);
  out.append(buffer, static_cast<std::size_t>(n));
}

void AppendFlag(std::string& out, std::uint8_t flag) { out += flag != 0 ? "    1" : "    0"; }

void StartLine(std::string& out, std::string_view key) {
  out += kLineBreak;
  out += key;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The whole token as a number: optional sign, then at least one digit.
std::optional<std::uint32_t> ParseNumber(std::string_view token) {
  bool negative = false;
  if (!token.empty() && (token.front() == '-' || token.front() == '+')) {
    negative = token.front() == '-';
    token.remove_prefix(1);
  }
  if (token.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : token) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
  }
  return negative ? 0u - value : value;
}

class TokenReader {
 public:
  explicit TokenReader(std::string_view content) : rest_(content) {}

  // The next token that fits the reader's buffer, without taking it.
  std::optional<std::string_view> peek() {
    while (true) {
      std::size_t start = 0;
      while (start < rest_.size() && IsSpace(rest_[start])) ++start;
      rest_.remove_prefix(start);
      if (rest_.empty()) return std::nullopt;
      std::size_t end = 0;
      while (end < rest_.size() && !IsSpace(rest_[end])) ++end;
      if (end <= kMaxIgnToken) return rest_.substr(0, end);
      rest_.remove_prefix(end);
    }
  }

  std::optional<std::string_view> next() {
    auto token = peek();
    if (token) rest_.remove_prefix(token->size());
    return token;
  }

  // A number where one is expected. A token that is not a number stays for
  // the key scan; the field then gets the number read last, as does the end.
  std::uint32_t number() {
    if (auto token = peek()) {
      if (auto value = ParseNumber(*token)) {
        rest_.remove_prefix(token->size());
        last_ = *value;
      }
    }
    return last_;
  }

  std::uint8_t byte() { return static_cast<std::uint8_t>(number()); }

 private:
  std::string_view rest_;
  std::uint32_t last_ = 0;
};

// The fields in the order of the file's lines; consecutive fields of one key
// share its line (TOP 1,4 then TOP 2,3).
constexpr std::array kLineOrder{Field::BikeCode,    Field::RpmPoint,        Field::Advance,     Field::Top14,
                                Field::Top23,       Field::LongExcitation,  Field::BaseAdvance, Field::Limiter,
                                Field::Tacho2x,     Field::SpeedCorrection, Field::BlockEnable, Field::InverseInput};

// Keys are padded to this column; the last line's key column is one narrower,
// as the unit's files have always had it.
constexpr std::size_t kKeyWidth = 12;

void AppendValue(std::string& out, const ParameterSpec& spec, std::uint8_t byte) {
  if (spec.flag) {
    AppendFlag(out, byte);
  } else if (spec.ignUnit == IgnUnit::Byte) {
    AppendNumber(out, "%5d ", byte);
  } else {
    AppendNumber(out, "%5d ", ToUser(spec, byte));
  }
}

// A user value is a 16-bit word of the file (speeds above 65535 wrap there);
// the byte then takes it as FromUser does. Flags and byte fields take the
// number's low eight bits.
std::uint8_t ReadValue(const ParameterSpec& spec, TokenReader& reader) {
  if (spec.flag || spec.ignUnit == IgnUnit::Byte) return reader.byte();
  return FromUser(spec, static_cast<int>(reader.number() % 65536u));
}

void ReadField(std::string_view key, TokenReader& reader, ParameterImage& image) {
  for (Field f : kLineOrder) {
    const ParameterSpec& spec = SpecOf(f);
    if (spec.ignKey != key) continue;
    for (int i = 0; i < spec.count; ++i) {
      image.area[spec.offset + static_cast<std::size_t>(i)] = ReadValue(spec, reader);
    }
  }
  // A bike line sets the pick-up polarity that bike needs; a later INV_INPUT
  // line overrides it.
  if (key == SpecOf(Field::BikeCode).ignKey) {
    image.inverseInput() = image.bikeCode() == kInversePolarityBikeCode ? 1 : 0;
  }
}

}  // namespace

std::string WriteParameterFile(const ParameterImage& image) {
  std::string out = "TORVANEX_KEY  ";
  AppendNumber(out, "%3u ", kProtocolVersion);
  out += kLineBreak;

  std::string_view lineKey;
  for (Field f : kLineOrder) {
    const ParameterSpec& spec = SpecOf(f);
    if (spec.ignKey != lineKey) {
      lineKey = spec.ignKey;
      const std::size_t width = f == kLineOrder.back() ? kKeyWidth - 1 : kKeyWidth;
      StartLine(out, lineKey);
      out.append(width - lineKey.size(), ' ');
    }
    for (int i = 0; i < spec.count; ++i) AppendValue(out, spec, image.area[spec.offset + static_cast<std::size_t>(i)]);
  }
  return out;
}

bool ReadParameterFile(std::string_view content, ParameterImage& image) {
  TokenReader reader(content);
  bool keyFound = false;
  while (auto token = reader.next()) {
    if (*token == "TORVANEX_KEY" && reader.number() == kProtocolVersion) {
      keyFound = true;
      break;
    }
  }
  if (!keyFound) return false;

  image.speedCorrection() = 100;
  while (auto token = reader.next()) ReadField(*token, reader, image);
  return true;
}

}  // namespace zelmo
