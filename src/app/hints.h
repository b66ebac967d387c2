// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hints in their "short|long" form: the short part is the tooltip, the long
// part goes to the status bar; a hint without "|" serves as both.
#include <QString>
#include <string_view>

class QAction;
class QWidget;

namespace zelmo {

struct HintParts {
  QString tooltip;
  QString status;
};

HintParts SplitHint(std::string_view hint);
void SetHint(QWidget* widget, std::string_view hint);
void SetHint(QAction* action, std::string_view hint);

}  // namespace zelmo
