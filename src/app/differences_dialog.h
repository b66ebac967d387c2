#pragma once
// The modal table of what differs between the editor and the unit after a
// failed verify.
#include <cstdint>

#include "core/report/differences.h"

class QWidget;

namespace zelmo {

void ShowDifferencesDialog(QWidget* parent, const DifferenceTable& table, std::uint8_t languageId);

}  // namespace zelmo
