// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/hints.h"

#include <QAction>
#include <QWidget>

namespace zelmo {

HintParts SplitHint(std::string_view hint) {
  const QString text = QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size()));
  const qsizetype bar = text.indexOf(QLatin1Char('|'));
  if (bar < 0) return {text, text};
  return {text.left(bar), text.mid(bar + 1)};
}

void SetHint(QWidget* widget, std::string_view hint) {
  const HintParts parts = SplitHint(hint);
  widget->setToolTip(parts.tooltip);
  widget->setStatusTip(parts.status);
}

void SetHint(QAction* action, std::string_view hint) {
  const HintParts parts = SplitHint(hint);
  action->setToolTip(parts.tooltip);
  action->setStatusTip(parts.status);
}

}  // namespace zelmo
