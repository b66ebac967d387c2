// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/unit_info.h"

#include <algorithm>
#include <array>
#include <span>

#include "core/device/cp1250.h"

namespace zelmo {

namespace {

struct MonthEntry {
  std::uint8_t code;
  std::string_view text;
};

constexpr std::array<MonthEntry, 12> kMonths = {{
    {25, " 1"}, {13, " 2"}, {32, " 3"}, {35, " 4"}, {39, " 5"}, {45, " 6"},
    {43, " 7"}, {29, " 8"}, {40, " 9"}, {38, "10"}, {51, "11"}, {12, "12"},
}};

// Tens and units as characters from '0' on, as the unit's own tool did (no
// check that the value is below 100).
void AppendTwoDigits(std::string& out, std::uint8_t value) {
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

}  // namespace

std::uint8_t MonthCodeOf(std::string_view abbreviation) {
  unsigned sum = 0;
  for (char c : abbreviation.substr(0, 3)) sum += static_cast<unsigned char>(c);
  return static_cast<std::uint8_t>(sum % 64);
}

std::string_view MonthText(std::uint8_t monthCode) {
  for (const MonthEntry& m : kMonths) {
    if (m.code == monthCode) return m.text;
  }
  return "00";
}

UnitInfoTexts DecodeUnitInfo(const UnitInfo& info) {
  namespace ui = unit_info;
  const auto& b = info.bytes;
  UnitInfoTexts texts;

  if (b[ui::kText] != 0) {
    auto text = std::span(b).subspan(ui::kText, ui::kTextLength);
    auto end = std::ranges::find(text, std::uint8_t{0});
    texts.versionText = Cp1250ToUtf8(std::span(text.begin(), end));
  } else {
    // A zero among the name characters ends the text there, as in a C string.
    auto name = std::span(b).subspan(ui::kName, 3);
    auto end = std::ranges::find(name, std::uint8_t{0});
    texts.versionText = Cp1250ToUtf8(std::span(name.begin(), end));
    if (end == name.end()) AppendTwoDigits(texts.versionText, b[ui::kNumber]);
  }

  const std::uint8_t day = b[ui::kDay];
  if (day < 10) {
    texts.dateText += ' ';
    texts.dateText += static_cast<char>('0' + day);
  } else {
    AppendTwoDigits(texts.dateText, day);
  }
  texts.dateText += '.';
  texts.dateText += MonthText(b[ui::kMonth]);
  texts.dateText += ".20";
  AppendTwoDigits(texts.dateText, b[ui::kYear]);

  AppendTwoDigits(texts.timeText, b[ui::kHour]);
  texts.timeText += ':';
  AppendTwoDigits(texts.timeText, b[ui::kMinute]);
  return texts;
}

}  // namespace zelmo
