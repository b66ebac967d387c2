#include "app/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/lang/texts.h"

namespace zelmo {
namespace {

void Touch(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("<html></html>");
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void eachLanguageFindsItsOwnManual() {
    QTemporaryDir folder;
    for (const char* name : {"manual_en.html", "manual_de.html", "manual_cz.html"}) {
      Touch(folder.filePath(QString::fromLatin1(name)));
    }
    const QStringList folders{folder.path()};
    QVERIFY(FindManual(kEnglish, folders).endsWith(QStringLiteral("/manual_en.html")));
    QVERIFY(FindManual(kGerman, folders).endsWith(QStringLiteral("/manual_de.html")));
    QVERIFY(FindManual(kCzech, folders).endsWith(QStringLiteral("/manual_cz.html")));
    QVERIFY(FindManual(kFrench, folders).isEmpty());
    QVERIFY(FindManual(7, folders).isEmpty());
  }

  void earlierFolderWinsAndMissingFilesArePassedOver() {
    QTemporaryDir installed;
    QTemporaryDir source;
    Touch(installed.filePath(QStringLiteral("manual_en.html")));
    Touch(source.filePath(QStringLiteral("manual_en.html")));
    Touch(source.filePath(QStringLiteral("manual_de.html")));
    const QStringList folders{installed.path(), source.path()};
    QCOMPARE(FindManual(kEnglish, folders),
             QDir(installed.path()).absoluteFilePath(QStringLiteral("manual_en.html")));
    QCOMPARE(FindManual(kGerman, folders),
             QDir(source.path()).absoluteFilePath(QStringLiteral("manual_de.html")));
    QVERIFY(FindManual(kCzech, folders).isEmpty());
  }

  void aFolderNamedLikeTheManualIsNoManual() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("manual_en.html")));
    QVERIFY(FindManual(kEnglish, {folder.path()}).isEmpty());
  }

  void foldersCoverInstalledMovedAndSourceTree() {
    const QStringList folders = ManualFolders(QStringLiteral("/opt/zelmo/bin"));
    QVERIFY(folders.first().endsWith(QStringLiteral("/manual")));
    QVERIFY(QDir::isAbsolutePath(folders.first()));
    QVERIFY(folders.contains(QStringLiteral("/opt/zelmo/docs/manual")));
    QVERIFY(folders.contains(QStringLiteral("/opt/docs/manual")));
    bool moved = false;
    for (const QString& folder : folders) {
      moved = moved || (folder.startsWith(QStringLiteral("/opt/zelmo/share/doc/")) &&
                        folder.endsWith(QStringLiteral("/manual")));
    }
    QVERIFY(moved);
  }

  void buildFolderFindsTheManualsOfItsSourceTree() {
    const QStringList folders = ManualFolders(QCoreApplication::applicationDirPath());
    for (std::uint8_t language : {kEnglish, kGerman, kCzech}) {
      QVERIFY2(!FindManual(language, folders).isEmpty(), qPrintable(folders.join(u' ')));
    }
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::HelpTest)

#include "help_test.moc"
