#include "app/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <optional>
#include <string_view>

#include "core/lang/texts.h"

namespace zelmo {
namespace {

// A build folder sits at most this deep below the source tree
// (build/demo/src/app holds the program).
constexpr int kSourceTreeSearchDepth = 5;

}  // namespace

QStringList ManualFolders(const QString& programFolder) {
  QStringList folders;
  folders << QStringLiteral(ZELMO_INSTALLED_MANUAL_DIR);
  const QDir program(programFolder);
  folders << QDir::cleanPath(program.filePath(QStringLiteral("../" ZELMO_RELATIVE_MANUAL_DIR)));
  QString up = QDir::cleanPath(programFolder);
  for (int level = 0; level < kSourceTreeSearchDepth && up != QDir::rootPath(); ++level) {
    up = QDir::cleanPath(up + QStringLiteral("/.."));
    folders << QDir(up).filePath(QStringLiteral("docs/manual"));
  }
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
