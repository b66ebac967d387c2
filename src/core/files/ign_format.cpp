#include "core/files/ign_format.h"

#include <cstdint>
#include <cstdio>
#include <optional>

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

void ReadField(std::string_view key, TokenReader& reader, ParameterImage& image) {
  if (key == "BIKE") {
    image.bikeCode() = reader.byte();
    image.inverseInput() = image.bikeCode() == 7 ? 1 : 0;
  } else if (key == "RPM_ADV") {
    for (int i = 0; i < kBreakpointCount; ++i) {
      image.rpmPoint(i) = static_cast<std::uint8_t>((reader.number() % 65536u) / 100u);
    }
  } else if (key == "ADVANCE") {
    for (int i = 0; i < kBreakpointCount; ++i) image.advance(i) = reader.byte();
  } else if (key == "TOP") {
    image.top14() = reader.byte();
    image.top23() = reader.byte();
  } else if (key == "BASE_ADV") {
    image.baseAdvance() = reader.byte();
  } else if (key == "LIMITER") {
    image.limiter() = reader.byte();
  } else if (key == "EXCITATION") {
    image.longExcitation() = reader.byte();
  } else if (key == "RPM2") {
    image.tacho2x() = reader.byte();
  } else if (key == "BLOK_ENABLE") {
    image.blockEnable() = reader.byte();
  } else if (key == "INV_INPUT") {
    image.inverseInput() = reader.byte();
  } else if (key == "RPM_CORR") {
    image.speedCorrection() = static_cast<std::uint8_t>(reader.number() + 100u);
  }
}

}  // namespace

std::string WriteParameterFile(const ParameterImage& image) {
  std::string out = "TORVANEX_KEY  ";
  AppendNumber(out, "%3u ", kProtocolVersion);
  out += kLineBreak;

  StartLine(out, "BIKE        ");
  AppendNumber(out, "%5u ", image.bikeCode());
  StartLine(out, "RPM_ADV     ");
  for (int i = 0; i < kBreakpointCount; ++i) AppendNumber(out, "%5u ", image.rpmPoint(i) * 100);
  StartLine(out, "ADVANCE     ");
  for (int i = 0; i < kBreakpointCount; ++i) AppendNumber(out, "%5u ", image.advance(i));
  StartLine(out, "TOP         ");
  AppendNumber(out, "%5u ", image.top14());
  AppendNumber(out, "%5u ", image.top23());
  StartLine(out, "EXCITATION  ");
  AppendFlag(out, image.longExcitation());
  StartLine(out, "BASE_ADV    ");
  AppendNumber(out, "%5u ", image.baseAdvance());
  StartLine(out, "LIMITER     ");
  AppendNumber(out, "%5u ", image.limiter());
  StartLine(out, "RPM2        ");
  AppendFlag(out, image.tacho2x());
  StartLine(out, "RPM_CORR    ");
  AppendNumber(out, "%5d ", image.speedCorrection() - 100);
  StartLine(out, "BLOK_ENABLE ");
  AppendFlag(out, image.blockEnable());
  StartLine(out, "INV_INPUT  ");
  AppendFlag(out, image.inverseInput());
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
