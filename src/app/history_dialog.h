// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list of automatic history entries, newest first; the user picks one to open.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "core/files/history.h"

class QWidget;

namespace zelmo {

// bikeText names a bike code as the bike list shows it; openCaption is the
// window's Open in its language. Nothing when the dialog is cancelled.
std::optional<std::filesystem::path> ChooseHistoryEntry(QWidget* parent, const std::vector<HistoryEntry>& entries,
                                                        const std::function<QString(std::uint8_t)>& bikeText,
                                                        const QString& openCaption, std::uint8_t languageId);

}  // namespace zelmo
