// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between the editor's parameters and the 50 bytes a unit
// answered with, field by field in the units the window shows. A verify
// compares bytes, so a row is marked whenever its bytes differ, even where
// the user units would read alike (a flag of 2 against 1 shows "On (2)").
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/parameter_image.h"

namespace zelmo {

struct DifferenceRow {
  std::string field;   // the field's name in the language, with its unit
  std::string editor;  // the editor's value
  std::string unit;    // the unit's value
  bool differs = false;
};

struct DifferenceTable {
  // Bike, speeds 1..10 [rpm], advances 1..10 [°], TOP 1,4, TOP 2,3, base
  // advance, limiter [rpm], tachometer 2x, blocking, long excitation, inverse
  // input, speed correction [%]; last the reserved bytes as one row whose
  // field says how many differ and whose value columns are empty.
  std::vector<DifferenceRow> rows;
  int reservedDiffering = 0;

  std::size_t differingRows() const;
};

DifferenceTable MakeDifferences(const ParameterImage& editor, std::span<const std::uint8_t, kImageSize> unit,
                                std::uint8_t languageId);

// Aligned columns under the Parameter, Editor and Unit heads, one line per
// row, differing rows led by "* " and the others by two spaces. Every line
// ends in '\n'. Columns are aligned by characters, not bytes, so Czech and
// German texts line up too.
std::string RenderDifferences(const DifferenceTable& table, std::uint8_t languageId);
// The same with heads of the caller's over the two value columns, such as
// the names of two files compared.
std::string RenderDifferences(const DifferenceTable& table, std::uint8_t languageId, std::string_view leftHead,
                              std::string_view rightHead);

}  // namespace zelmo
