// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stamp line shown on the printed sheet.
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace zelmo {

// Prefix of the language, the date in the locale's short format, four spaces
// and the time in its long format. None for a language without a prefix: the
// label then keeps its text.
std::optional<QString> PrintStamp(std::uint8_t languageId, const QDateTime& when,
                                  const QLocale& locale = QLocale::system());

}  // namespace zelmo
