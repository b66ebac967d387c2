// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <optional>
#include <string_view>

#include "core/lang/texts.h"

namespace zelmo {

QString SourceTreeOfBuild(const QString& programFolder) {
  // CMake writes the source tree of a build folder into its top cache file;
  // the first cache file above the program is that of its build.
  const QByteArray key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
  QDir folder(QDir::cleanPath(QDir(programFolder).absolutePath()));
  do {
    QFile cache(folder.filePath(QStringLiteral("CMakeCache.txt")));
    if (cache.open(QIODevice::ReadOnly | QIODevice::Text)) {
      while (!cache.atEnd()) {
        const QByteArray line = cache.readLine().trimmed();
        if (line.startsWith(key)) {
          return QString::fromUtf8(line.mid(key.size()));
        }
      }
      return {};
    }
  } while (folder.cdUp());
  return {};
}

QStringList ManualFolders(const QString& programFolder) {
  QStringList folders;
  const QDir program(programFolder);
  folders << QDir::cleanPath(program.filePath(QStringLiteral("../" ZELMO_RELATIVE_MANUAL_DIR)));
  if (const QString source = SourceTreeOfBuild(programFolder); !source.isEmpty()) {
    folders << QDir(source).filePath(QStringLiteral("docs/manual"));
  }
  folders << QStringLiteral(ZELMO_INSTALLED_MANUAL_DIR);
  folders.removeDuplicates();
  return folders;
}

QString FindManual(std::uint8_t languageId, const QStringList& folders) {
  const std::optional<std::string_view> suffix = ManualSuffix(languageId);
  if (!suffix) {
    return {};
  }
  const QString name = QStringLiteral("manual") +
                       QString::fromUtf8(suffix->data(), static_cast<qsizetype>(suffix->size())) +
                       QStringLiteral(".html");
  for (const QString& folder : folders) {
    const QFileInfo file(QDir(folder).filePath(name));
    if (file.isFile()) {
      return file.absoluteFilePath();
    }
  }
  return {};
}

ManualOpening OpenManual(std::uint8_t languageId) {
  ManualOpening opening;
  opening.file = FindManual(languageId, ManualFolders(QCoreApplication::applicationDirPath()));
  if (!opening.file.isEmpty()) {
    opening.opened = QDesktopServices::openUrl(QUrl::fromLocalFile(opening.file));
  }
  return opening;
}

}  // namespace zelmo
