#include "core/report/differences.h"

#include <algorithm>
#include <functional>

#include "core/lang/texts.h"
#include "core/report/bike_name.h"
#include "core/lang/pattern.h"

namespace zelmo {
namespace {

using ValueText = std::function<std::string(std::uint8_t)>;

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
  return static_cast<std::size_t>(std::count_if(rows.begin(), rows.end(), [](const DifferenceRow& r) { return r.differs; }));
}

DifferenceTable MakeDifferences(const ParameterImage& editor, std::span<const std::uint8_t, kImageSize> unit,
                                std::uint8_t languageId) {
  DifferenceTable table;
  const auto add = [&](std::string name, std::size_t offset, const ValueText& text) {
    const std::uint8_t mine = editor.area[offset];
    const std::uint8_t theirs = unit[offset];
    table.rows.push_back({std::move(name), text(mine), text(theirs), mine != theirs});
  };
  const auto label = [languageId](Extra text) { return std::string(ExtraText(text, languageId)); };
  const ValueText plain = [](std::uint8_t v) { return Number(v); };
  const ValueText hundreds = [](std::uint8_t v) { return Number(v * 100); };
  const ValueText flag = [languageId](std::uint8_t v) { return FlagText(v, languageId); };

  add(label(Extra::FieldBike), field::kBikeCode, [languageId](std::uint8_t v) { return BikeDisplayName(v, languageId); });
  for (int i = 0; i < kBreakpointCount; ++i) {
    add(FillNumber(ExtraText(Extra::FieldRpmPoint, languageId), i + 1), field::kRpmPoint + static_cast<std::size_t>(i),
        hundreds);
  }
  for (int i = 0; i < kBreakpointCount; ++i) {
    add(FillNumber(ExtraText(Extra::FieldAdvance, languageId), i + 1), field::kAdvance + static_cast<std::size_t>(i),
        plain);
  }
  add(label(Extra::FieldTop14), field::kTop14, plain);
  add(label(Extra::FieldTop23), field::kTop23, plain);
  add(label(Extra::FieldBaseAdvance), field::kBaseAdvance, plain);
  add(label(Extra::FieldLimiter), field::kLimiter, hundreds);
  add(label(Extra::FieldTacho2x), field::kTacho2x, flag);
  add(label(Extra::FieldBlockEnable), field::kBlockEnable, flag);
  add(label(Extra::FieldLongExcitation), field::kLongExcitation, flag);
  add(label(Extra::FieldInverseInput), field::kInverseInput, flag);
  add(label(Extra::FieldSpeedCorrection), field::kSpeedCorrection, [](std::uint8_t v) { return Number(v - 100); });

  for (std::size_t k = 0; k < field::kReservedCount; ++k) {
    if (editor.area[field::kReserved + k] != unit[field::kReserved + k]) ++table.reservedDiffering;
  }
  table.rows.push_back({FillNumber(ExtraText(Extra::ReservedBytesDiffer, languageId), table.reservedDiffering), {}, {},
                        table.reservedDiffering != 0});
  return table;
}

std::string RenderDifferences(const DifferenceTable& table, std::uint8_t languageId) {
  const DifferenceRow head{std::string(ExtraText(Extra::DifferencesParameter, languageId)),
                           std::string(ExtraText(Extra::DifferencesEditor, languageId)),
                           std::string(ExtraText(Extra::DifferencesUnit, languageId)), false};
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
