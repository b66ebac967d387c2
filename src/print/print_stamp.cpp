// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_stamp.h"

#include "core/lang/texts.h"

namespace zelmo {

std::optional<QString> PrintStamp(std::uint8_t languageId, const QDateTime& when,
                                  const QLocale& locale) {
  const std::optional<std::string_view> prefix = PrintStampPrefix(languageId);
  if (!prefix) {
    return std::nullopt;
  }
  return QString::fromUtf8(prefix->data(), static_cast<qsizetype>(prefix->size())) +
         locale.toString(when.date(), QLocale::ShortFormat) + QStringLiteral("    ") +
         locale.toString(when.time(), QLocale::LongFormat);
}

}  // namespace zelmo
