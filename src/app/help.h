#pragma once
// The user manual of the current language, opened in the desktop's viewer.
#include <QString>
#include <QStringList>

#include <cstdint>

namespace zelmo {

// Where manuals are looked for, best first: the installed documentation
// folder, the one of an installation moved elsewhere (relative to the
// program's folder), then docs/manual of a source tree above a build folder.
QStringList ManualFolders(const QString& programFolder);

// The first existing manual_<suffix>.html of the language in the folders;
// empty when the language has no manual or none is found.
QString FindManual(std::uint8_t languageId, const QStringList& folders);

// Hands the manual to the desktop and returns at once; does nothing for a
// language without a manual. False when no manual was found or the desktop
// could not open it.
bool OpenManual(std::uint8_t languageId);

}  // namespace zelmo
