// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit's parameter block, byte for byte. Every parameter lives here in the
// unit's own encoding; user units appear only at the controls and in files.
//
// Layout (all fields one unsigned byte, no gaps):
//   0 top14            TOP 1,4 tooth
//   1 top23            TOP 2,3 tooth
//   2 baseAdvance      degrees
//   3 limiter          hundreds of rpm
//   4 tacho2x          flag
//   5 blockEnable      flag
//   6 bikeCode         BikeCode
//   7 longExcitation   flag
//   8 speedCorrection  percent + 100
//   9 inverseInput     flag
//  10..19 rpmPoint[10] hundreds of rpm
//  20..29 advance[10]  degrees
//  30..49 reserved     carried unchanged
// The user units, ranges and file keys of every field are in one table:
// parameter_table.h.
// The undo history and the shadow file carry 55 bytes: the 50 above and five
// that nothing else uses.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zelmo {

inline constexpr int kBreakpointCount = 10;
inline constexpr std::size_t kImageSize = 50;
inline constexpr std::size_t kAreaSize = 55;
inline constexpr std::uint8_t kProtocolVersion = 61;

namespace field {
inline constexpr std::size_t kTop14 = 0;
inline constexpr std::size_t kTop23 = 1;
inline constexpr std::size_t kBaseAdvance = 2;
inline constexpr std::size_t kLimiter = 3;
inline constexpr std::size_t kTacho2x = 4;
inline constexpr std::size_t kBlockEnable = 5;
inline constexpr std::size_t kBikeCode = 6;
inline constexpr std::size_t kLongExcitation = 7;
inline constexpr std::size_t kSpeedCorrection = 8;
inline constexpr std::size_t kInverseInput = 9;
inline constexpr std::size_t kRpmPoint = 10;
inline constexpr std::size_t kAdvance = 20;
inline constexpr std::size_t kReserved = 30;
inline constexpr std::size_t kReservedCount = 20;
}  // namespace field

struct ParameterImage {
  std::array<std::uint8_t, kAreaSize> area{};

  std::uint8_t& top14() { return area[field::kTop14]; }
  std::uint8_t& top23() { return area[field::kTop23]; }
  std::uint8_t& baseAdvance() { return area[field::kBaseAdvance]; }
  std::uint8_t& limiter() { return area[field::kLimiter]; }
  std::uint8_t& tacho2x() { return area[field::kTacho2x]; }
  std::uint8_t& blockEnable() { return area[field::kBlockEnable]; }
  std::uint8_t& bikeCode() { return area[field::kBikeCode]; }
  std::uint8_t& longExcitation() { return area[field::kLongExcitation]; }
  std::uint8_t& speedCorrection() { return area[field::kSpeedCorrection]; }
  std::uint8_t& inverseInput() { return area[field::kInverseInput]; }
  std::uint8_t& rpmPoint(int i) { return area[field::kRpmPoint + static_cast<std::size_t>(i)]; }
  std::uint8_t& advance(int i) { return area[field::kAdvance + static_cast<std::size_t>(i)]; }
  std::uint8_t& reserved(int i) { return area[field::kReserved + static_cast<std::size_t>(i)]; }

  std::uint8_t top14() const { return area[field::kTop14]; }
  std::uint8_t top23() const { return area[field::kTop23]; }
  std::uint8_t baseAdvance() const { return area[field::kBaseAdvance]; }
  std::uint8_t limiter() const { return area[field::kLimiter]; }
  std::uint8_t tacho2x() const { return area[field::kTacho2x]; }
  std::uint8_t blockEnable() const { return area[field::kBlockEnable]; }
  std::uint8_t bikeCode() const { return area[field::kBikeCode]; }
  std::uint8_t longExcitation() const { return area[field::kLongExcitation]; }
  std::uint8_t speedCorrection() const { return area[field::kSpeedCorrection]; }
  std::uint8_t inverseInput() const { return area[field::kInverseInput]; }
  std::uint8_t rpmPoint(int i) const { return area[field::kRpmPoint + static_cast<std::size_t>(i)]; }
  std::uint8_t advance(int i) const { return area[field::kAdvance + static_cast<std::size_t>(i)]; }
  std::uint8_t reserved(int i) const { return area[field::kReserved + static_cast<std::size_t>(i)]; }

  // The 50 bytes that travel to and from the unit.
  std::span<std::uint8_t, kImageSize> image() { return std::span<std::uint8_t, kImageSize>(area.data(), kImageSize); }
  std::span<const std::uint8_t, kImageSize> image() const {
    return std::span<const std::uint8_t, kImageSize>(area.data(), kImageSize);
  }

  bool operator==(const ParameterImage&) const = default;
};

}  // namespace zelmo
