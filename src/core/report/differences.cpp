// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/differences.h"

#include <algorithm>
#include <array>

#include "core/lang/pattern.h"
#include "core/lang/texts.h"
#include "core/model/parameter_table.h"
#include "core/report/bike_name.h"

namespace zelmo {
namespace {

// The rows in the order of the window: bike, curve, pick-up, settings, tachometer.
constexpr std::array kReportOrder{Field::BikeCode,       Field::RpmPoint,     Field::Advance,
                                  Field::Top14,          Field::Top23,        Field::BaseAdvance,
                                  Field::Limiter,        Field::Tacho2x,      Field::BlockEnable,
                                  Field::LongExcitation, Field::InverseInput, Field::SpeedCorrection};

std::string Number(int value) { return std::to_string(value); }

std::string FlagText(std::uint8_t value, std::uint8_t languageId) {
  if (value == 0) return std::string(ExtraText(Extra::Off, languageId));
  std::string text(ExtraText(Extra::On, languageId));
  // Any non-zero byte means on, but the unit compares bytes.
  if (value != 1) text += " (" + Number(value) + ")";
  return text;
}

// Characters, not bytes: continuation bytes of UTF-8 do not count.
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void Pad(std::string& line, std::string_view text, std::size_t width) {
  line += text;
  line.append(width - Width(text), ' ');
}

}  // namespace

std::size_t DifferenceTable::differingRows() const {
  return static_cast<std::size_t>(
      std::count_if(rows.begin(), rows.end(), [](const DifferenceRow& r) { return r.differs; }));
}

DifferenceTable MakeDifferences(const ParameterImage& editor, std::span<const std::uint8_t, kImageSize> unit,
                                std::uint8_t languageId) {
  DifferenceTable table;
  const auto text = [languageId](const ParameterSpec& spec, std::uint8_t v) {
    if (spec.field == Field::BikeCode) return BikeDisplayName(v, languageId);
    if (spec.flag) return FlagText(v, languageId);
    return Number(ToUser(spec, v));
  };
  for (Field f : kReportOrder) {
    const ParameterSpec& spec = SpecOf(f);
    const std::string_view name = ExtraText(spec.reportName, languageId);
    for (int i = 0; i < spec.count; ++i) {
      const std::size_t offset = spec.offset + static_cast<std::size_t>(i);
      const std::uint8_t mine = editor.area[offset];
      const std::uint8_t theirs = unit[offset];
      table.rows.push_back({spec.count > 1 ? FillNumber(name, i + 1) : std::string(name), text(spec, mine),
                            text(spec, theirs), mine != theirs});
    }
  }

  for (std::size_t k = 0; k < field::kReservedCount; ++k) {
    if (editor.area[field::kReserved + k] != unit[field::kReserved + k]) ++table.reservedDiffering;
  }
  table.rows.push_back({FillNumber(ExtraText(Extra::ReservedBytesDiffer, languageId), table.reservedDiffering),
                        {},
                        {},
                        table.reservedDiffering != 0});
  return table;
}

std::string RenderDifferences(const DifferenceTable& table, std::uint8_t languageId) {
  return RenderDifferences(table, languageId, ExtraText(Extra::DifferencesEditor, languageId),
                           ExtraText(Extra::DifferencesUnit, languageId));
}

std::string RenderDifferences(const DifferenceTable& table, std::uint8_t languageId, std::string_view leftHead,
                              std::string_view rightHead) {
  const DifferenceRow head{std::string(ExtraText(Extra::DifferencesParameter, languageId)), std::string(leftHead),
                           std::string(rightHead), false};
  std::size_t fieldWidth = Width(head.field);
  std::size_t editorWidth = Width(head.editor);
  for (const DifferenceRow& row : table.rows) {
    fieldWidth = std::max(fieldWidth, Width(row.field));
    editorWidth = std::max(editorWidth, Width(row.editor));
  }
  std::string text;
  const auto line = [&](const DifferenceRow& row) {
    std::string out = row.differs ? "* " : "  ";
    Pad(out, row.field, fieldWidth + 2);
    Pad(out, row.editor, editorWidth + 2);
    out += row.unit;
    while (!out.empty() && out.back() == ' ') out.pop_back();
    text += out + '\n';
  };
  line(head);
  for (const DifferenceRow& row : table.rows) line(row);
  return text;
}

}  // namespace zelmo
