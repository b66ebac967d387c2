// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One text in the tool's three languages, as the smaller tables of texts hold
// them: a row per enumerator, in enumerator order, which the table checks at
// compile time.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/lang/texts.h"

namespace zelmo {

template <typename Id>
struct TextRow {
  Id id;
  std::string_view english;
  std::string_view german;
  std::string_view czech;
};

// Whether every enumerator up to `last` has its row, in order.
template <typename Id, std::size_t N>
constexpr bool RowsInEnumeratorOrder(const std::array<TextRow<Id>, N>& rows, Id last) {
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<std::size_t>(rows[i].id) != i) return false;
  }
  return static_cast<std::size_t>(last) + 1 == N;
}

// The row's text in the language; a language without a column of its own
// reads English.
template <typename Id>
constexpr std::string_view InLanguage(const TextRow<Id>& row, std::uint8_t languageId) {
  switch (languageId) {
    case kGerman:
      return row.german;
    case kCzech:
      return row.czech;
    default:
      return row.english;
  }
}

}  // namespace zelmo
