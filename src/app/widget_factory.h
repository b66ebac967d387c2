// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The designed controls of the window, made the same way by every panel: a
// pixel font, a fixed place, and an entry under the control's object name in
// the registry that the language tables address.
#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>
#include <string_view>

#include "core/settings/settings.h"

class QAction;
class QGroupBox;
class QLabel;
class QWidget;

namespace zelmo {

class Gauge;
class MouseCheckBox;
class UpDown;

// Every designed control and menu item by its object name.
using ControlRegistry = QHash<QString, QObject*>;

inline constexpr int kEditHeight = 21;
// Where texts of the designed client area end at the latest: short of its
// right edge (the window's designed width) and of the strip beside it that a
// vertical scroll bar takes when the screen is lower than the design.
int TextRight(const QWidget& control);

// A text of the language tables (UTF-8) as Qt holds it.
inline QString Utf8Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Asks for a new file to write, of one kind ("PDF (*.pdf)", "pdf"), in folder
// when one is given (it is made first); empty when the user cancels.
QString AskFileToWrite(QWidget* parent, const char* objectName, const QString& filter, const QString& suffix,
                       const QString& folder = {});

// A menu item's caption. A menu shows only an item's first shortcut, so an
// item with more lists them all after the caption.
void SetMenuText(QAction* action, const QString& caption);

QFont PixelFont(int pixelSize, bool bold);
QGroupBox* AddGroup(QWidget* parent, const char* name, int x, int y, int w, int h);
Gauge* AddGauge(ControlRegistry& registry, QWidget* parent, const char* name, const QRect& geometry, const QColor& bar,
                bool text);
QLabel* AddLabel(ControlRegistry& registry, QWidget* parent, const char* name, const QString& text, int x, int y,
                 int pixelSize = 11, bool bold = false);
// A label on a red ground, hidden until there is something to warn of.
QLabel* AddBanner(ControlRegistry& registry, QWidget* parent, const char* name, const QString& text, int x, int y);
MouseCheckBox* AddCheckBox(ControlRegistry& registry, QWidget* parent, const char* name, const QString& text, int x,
                           int y, int width);
// A numeric field (ParameterEdit) and its up-down beside it, the up-down
// holding the value; the field is the up-down's buddy.
UpDown* AddUpDownPair(ControlRegistry& registry, QWidget* parent, const char* editName, const char* upDownName, int x,
                      int y, int editWidth, int minimum, int maximum, int step, bool thousands);

}  // namespace zelmo
