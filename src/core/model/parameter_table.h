// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row per field of the parameter image: where its bytes are, how the .ign
// file names and writes it, how a byte becomes the value the user sees, and
// every range a part of the tool holds it to. Ranges are in user units.
//
// Where a part of the tool has no bound of its own for a field (no drag on the
// graph, no ordering, nothing the unit refuses), the row gives the byte's
// whole reach, ByteReach(scale, userOffset), so a check against it never
// fails.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/lang/texts.h"
#include "core/model/parameter_image.h"

namespace zelmo {

// In image order; the value is the row's index in ParameterSpecs().
enum class Field {
  Top14,
  Top23,
  BaseAdvance,
  Limiter,
  Tacho2x,
  BlockEnable,
  BikeCode,
  LongExcitation,
  SpeedCorrection,
  InverseInput,
  RpmPoint,  // the ten breakpoint speeds
  Advance,   // the ten breakpoint advances
};
inline constexpr std::size_t kFieldCount = 12;

// What a .ign file holds for the field's numbers (flags are written 1 or 0
// whatever the unit).
enum class IgnUnit {
  User,  // the user value
  Byte,  // the byte itself: the limiter, in hundreds of rpm
};

// A closed range of user values.
struct Range {
  int minimum = 0;
  int maximum = 0;

  constexpr bool contains(int value) const { return value >= minimum && value <= maximum; }
  constexpr bool operator==(const Range&) const = default;
};

// Every user value a byte can stand for.
constexpr Range ByteReach(int scale, int userOffset) { return {userOffset, 255 * scale + userOffset}; }

struct ParameterSpec {
  Field field;
  std::size_t offset;  // the first byte in the image
  int count;           // bytes: 1, or kBreakpointCount for a breakpoint row (byte offset + i is breakpoint i + 1)
  std::string_view ignKey;  // the key of its .ign line, without the padding
  IgnUnit ignUnit;
  int scale;  // user value = byte * scale + userOffset
  int userOffset;
  bool flag;  // a check box: any non-zero byte is on

  // The window's field: its range, the step of its up-down buttons and
  // whether it shows a thousands separator. The first breakpoint's speed
  // field reaches lower than the others: firstMinimum (equal to minimum in
  // every other row); FieldMinimum picks the right one.
  int minimum;
  int maximum;
  int step;
  bool thousands;
  int firstMinimum;

  // The object name of the window control that names the field (a label, or
  // the check box or list itself), and its name in the difference report.
  std::string_view labelKey;
  Extra reportName;

  // Where a drag on the curve graph stops, before the ordering pass.
  Range drag;
  // What the ordering pass holds the field to, typed in a control and while
  // its point is dragged on the graph. For breakpoint rows these are the
  // first breakpoint's; every later breakpoint's are one byte (one scale)
  // higher, so that ten distinct speeds always fit.
  Range ordered;
  Range orderedDragged;
  // What the unit accepts; the simulator marks a block outside it as a data
  // error.
  Range accepted;
};

// The table, in image order. Its bytes cover offsets 0 .. field::kReserved - 1
// exactly once; the reserved bytes have no row.
inline constexpr std::array<ParameterSpec, kFieldCount> kParameterSpecs{{
    {.field = Field::Top14, .offset = field::kTop14, .count = 1, .ignKey = "TOP", .ignUnit = IgnUnit::User,
     .scale = 1, .userOffset = 0, .flag = false,
     .minimum = 2, .maximum = 9, .step = 1, .thousands = false, .firstMinimum = 2,
     .labelKey = "LabelPalec13", .reportName = Extra::FieldTop14,
     .drag = ByteReach(1, 0), .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {2, 9}},
    {.field = Field::Top23, .offset = field::kTop23, .count = 1, .ignKey = "TOP", .ignUnit = IgnUnit::User,
     .scale = 1, .userOffset = 0, .flag = false,
     .minimum = 2, .maximum = 9, .step = 1, .thousands = false, .firstMinimum = 2,
     .labelKey = "LabelPalec24", .reportName = Extra::FieldTop23,
     .drag = ByteReach(1, 0), .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {2, 9}},
    // The base point is dragged as far as the breakpoints' advances go.
    {.field = Field::BaseAdvance, .offset = field::kBaseAdvance, .count = 1, .ignKey = "BASE_ADV",
     .ignUnit = IgnUnit::User, .scale = 1, .userOffset = 0, .flag = false,
     .minimum = 0, .maximum = 40, .step = 1, .thousands = false, .firstMinimum = 0,
     .labelKey = "LabelBaseAdv", .reportName = Extra::FieldBaseAdvance,
     .drag = {0, 60}, .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {0, 40}},
    // The field starts at 999, which the ordering pass lifts to 1000; a drag
    // reaches the byte's top, above the field's 25000.
    {.field = Field::Limiter, .offset = field::kLimiter, .count = 1, .ignKey = "LIMITER", .ignUnit = IgnUnit::Byte,
     .scale = 100, .userOffset = 0, .flag = false,
     .minimum = 999, .maximum = 25000, .step = 100, .thousands = true, .firstMinimum = 999,
     .labelKey = "LabelOmez2", .reportName = Extra::FieldLimiter,
     .drag = {0, 25500}, .ordered = {1000, 25500}, .orderedDragged = {1000, 25500}, .accepted = {1000, 25000}},
    {.field = Field::Tacho2x, .offset = field::kTacho2x, .count = 1, .ignKey = "RPM2", .ignUnit = IgnUnit::User,
     .scale = 1, .userOffset = 0, .flag = true,
     .minimum = 0, .maximum = 1, .step = 1, .thousands = false, .firstMinimum = 0,
     .labelKey = "CheckBoxRpm2Krat", .reportName = Extra::FieldTacho2x,
     .drag = ByteReach(1, 0), .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {0, 1}},
    {.field = Field::BlockEnable, .offset = field::kBlockEnable, .count = 1, .ignKey = "BLOK_ENABLE",
     .ignUnit = IgnUnit::User, .scale = 1, .userOffset = 0, .flag = true,
     .minimum = 0, .maximum = 1, .step = 1, .thousands = false, .firstMinimum = 0,
     .labelKey = "CheckBoxBlokEnable", .reportName = Extra::FieldBlockEnable,
     .drag = ByteReach(1, 0), .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {0, 1}},
    // The bike list shows the codes in its own order (bike_code.h).
    {.field = Field::BikeCode, .offset = field::kBikeCode, .count = 1, .ignKey = "BIKE", .ignUnit = IgnUnit::User,
     .scale = 1, .userOffset = 0, .flag = false,
     .minimum = 0, .maximum = 9, .step = 1, .thousands = false, .firstMinimum = 0,
     .labelKey = "ComboBoxBike", .reportName = Extra::FieldBike,
     .drag = ByteReach(1, 0), .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {0, 9}},
    {.field = Field::LongExcitation, .offset = field::kLongExcitation, .count = 1, .ignKey = "EXCITATION",
     .ignUnit = IgnUnit::User, .scale = 1, .userOffset = 0, .flag = true,
     .minimum = 0, .maximum = 1, .step = 1, .thousands = false, .firstMinimum = 0,
     .labelKey = "CheckBoxBuzDlouhe", .reportName = Extra::FieldLongExcitation,
     .drag = ByteReach(1, 0), .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {0, 1}},
    // Percent, stored plus 100.
    {.field = Field::SpeedCorrection, .offset = field::kSpeedCorrection, .count = 1, .ignKey = "RPM_CORR",
     .ignUnit = IgnUnit::User, .scale = 1, .userOffset = -100, .flag = false,
     .minimum = -60, .maximum = 60, .step = 1, .thousands = false, .firstMinimum = -60,
     .labelKey = "LabelRpmKorekce", .reportName = Extra::FieldSpeedCorrection,
     .drag = ByteReach(1, -100), .ordered = ByteReach(1, -100), .orderedDragged = ByteReach(1, -100),
     .accepted = {-60, 60}},
    {.field = Field::InverseInput, .offset = field::kInverseInput, .count = 1, .ignKey = "INV_INPUT",
     .ignUnit = IgnUnit::User, .scale = 1, .userOffset = 0, .flag = true,
     .minimum = 0, .maximum = 1, .step = 1, .thousands = false, .firstMinimum = 0,
     .labelKey = "CheckBoxInvInput", .reportName = Extra::FieldInverseInput,
     .drag = ByteReach(1, 0), .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {0, 1}},
    // Speeds in rpm, stored in hundreds. The fields stop at 20100; the
    // ordering pass keeps breakpoint 10 at or below 20000 when typed and
    // 19900 while dragged; a drag itself reaches the byte's top.
    {.field = Field::RpmPoint, .offset = field::kRpmPoint, .count = kBreakpointCount, .ignKey = "RPM_ADV",
     .ignUnit = IgnUnit::User, .scale = 100, .userOffset = 0, .flag = false,
     .minimum = 300, .maximum = 20100, .step = 100, .thousands = true, .firstMinimum = 199,
     .labelKey = "Label26", .reportName = Extra::FieldRpmPoint,
     .drag = {0, 25500}, .ordered = {200, 19100}, .orderedDragged = {200, 19000}, .accepted = ByteReach(100, 0)},
    {.field = Field::Advance, .offset = field::kAdvance, .count = kBreakpointCount, .ignKey = "ADVANCE",
     .ignUnit = IgnUnit::User, .scale = 1, .userOffset = 0, .flag = false,
     .minimum = 0, .maximum = 60, .step = 1, .thousands = false, .firstMinimum = 0,
     .labelKey = "Label2", .reportName = Extra::FieldAdvance,
     .drag = {0, 60}, .ordered = ByteReach(1, 0), .orderedDragged = ByteReach(1, 0), .accepted = {0, 60}},
}};

constexpr const ParameterSpec& SpecOf(Field f) { return kParameterSpecs[static_cast<std::size_t>(f)]; }
constexpr std::span<const ParameterSpec> ParameterSpecs() { return kParameterSpecs; }

// The user value of a byte.
constexpr int ToUser(const ParameterSpec& spec, std::uint8_t byte) { return byte * spec.scale + spec.userOffset; }

// The byte of a user value: (user - userOffset) / scale, the division
// truncating toward zero (1999 rpm gives 19 hundreds), and then the low eight
// bits, as a static_cast to std::uint8_t keeps them. Nothing is clamped: a
// value outside ByteReach wraps, so bring it into a range first. Exact for any
// int (no overflow).
constexpr std::uint8_t FromUser(const ParameterSpec& spec, int user) {
  return static_cast<std::uint8_t>((static_cast<long long>(user) - spec.userOffset) / spec.scale);
}

// The window field's minimum for breakpoint `index` (0-based); other rows
// ignore the index.
constexpr int FieldMinimum(const ParameterSpec& spec, int index) {
  return index == 0 ? spec.firstMinimum : spec.minimum;
}

// A field of an image in user units; `index` picks the breakpoint (0-based)
// and is 0 for every other row.
inline int UserValue(const ParameterImage& image, Field f, int index = 0) {
  const ParameterSpec& spec = SpecOf(f);
  return ToUser(spec, image.area[spec.offset + static_cast<std::size_t>(index)]);
}
// Stores FromUser(user): truncating, wrapping, not clamping.
inline void SetUserValue(ParameterImage& image, Field f, int user, int index = 0) {
  const ParameterSpec& spec = SpecOf(f);
  image.area[spec.offset + static_cast<std::size_t>(index)] = FromUser(spec, user);
}

}  // namespace zelmo
