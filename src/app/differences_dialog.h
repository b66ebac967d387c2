// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The modal table of what differs between the editor and the unit after a
// failed verify, or between the editor and a parameter file.
#include <QString>
#include <cstdint>

#include "core/report/differences.h"

class QWidget;

namespace zelmo {

void ShowDifferencesDialog(QWidget* parent, const DifferenceTable& table, std::uint8_t languageId);

// The same table under a caption and value-column heads of the caller's, such
// as the editor against a file it is compared with.
struct DifferenceHeads {
  QString caption;
  QString left;
  QString right;
};
void ShowDifferencesDialog(QWidget* parent, const DifferenceTable& table, std::uint8_t languageId,
                           const DifferenceHeads& heads);

}  // namespace zelmo
