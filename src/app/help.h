// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user manual of the current language, opened in the desktop's viewer.
#include <QString>
#include <QStringList>

#include <cstdint>

namespace zelmo {

// Where manuals are looked for, best first: the manual folder of the prefix
// the program is installed in (relative to the program's folder), docs/manual
// of the source tree when the program runs from a build folder, then the
// folder of the prefix the program was built for.
QStringList ManualFolders(const QString& programFolder);

// The source tree of the CMake build folder that holds programFolder, at any
// depth and wherever the build folder lies; empty outside a build folder.
QString SourceTreeOfBuild(const QString& programFolder);

// The first existing manual_<suffix>.html of the language in the folders;
// empty when the language has no manual or none is found.
QString FindManual(std::uint8_t languageId, const QStringList& folders);

struct ManualOpening {
  QString file;         // the manual found; empty when there is none
  bool opened = false;  // the desktop took it
};

// Hands the manual to the desktop and returns at once; does nothing for a
// language without a manual. Without a desktop viewer (no xdg-open, or a
// platform without desktop services) the manual is found but not opened.
ManualOpening OpenManual(std::uint8_t languageId);

}  // namespace zelmo
