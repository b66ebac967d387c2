// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit's 50-byte information block (payload of the block-0 replies):
//   0..2  firmware name     3  firmware number (two digits)
//   4 day  5 MonthCode  6 year - 2000  7 hour  8 minute
//   10 protocolVersion (must be kProtocolVersion)
//   16..45 firmware text, used instead of name and number when byte 16 != 0
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/parameter_image.h"

namespace zelmo {

struct UnitInfo {
  std::array<std::uint8_t, 50> bytes{};

  std::uint8_t protocolVersion() const { return bytes[10]; }
  bool operator==(const UnitInfo&) const = default;
};

namespace unit_info {
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 3;
inline constexpr std::size_t kDay = 4;
inline constexpr std::size_t kMonth = 5;
inline constexpr std::size_t kYear = 6;
inline constexpr std::size_t kHour = 7;
inline constexpr std::size_t kMinute = 8;
inline constexpr std::size_t kProtocolVersion = 10;
inline constexpr std::size_t kText = 16;
inline constexpr std::size_t kTextLength = 30;
}  // namespace unit_info

// The texts of LabelVerze1..3, in UTF-8 (the unit's 8-bit characters are code page 1250).
struct UnitInfoTexts {
  std::string versionText;  // "ABC07", or the firmware text
  std::string dateText;     // " 9. 1.2014"
  std::string timeText;     // "07:05"

  bool operator==(const UnitInfoTexts&) const = default;
};

UnitInfoTexts DecodeUnitInfo(const UnitInfo& info);

// Sum of the three characters of the English month abbreviation, modulo 64.
std::uint8_t MonthCodeOf(std::string_view abbreviation);
// " 1".."12" for the twelve codes, "00" for any other.
std::string_view MonthText(std::uint8_t monthCode);

}  // namespace zelmo
