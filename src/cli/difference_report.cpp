// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/difference_report.h"

#include "core/lang/texts.h"
#include "core/report/differences.h"

namespace zelmo::cli {

void PrintDifferenceReport(const ParameterImage& editor, const std::optional<Payload>& unit, std::ostream& out) {
  if (!unit) return;
  out << RenderDifferences(MakeDifferences(editor, *unit, kEnglish), kEnglish);
}

}  // namespace zelmo::cli
