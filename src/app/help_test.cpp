// SPDX-License-Identifier: GPL-3.0-or-later
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
    QCOMPARE(FindManual(kEnglish, folders), QDir(installed.path()).absoluteFilePath(QStringLiteral("manual_en.html")));
    QCOMPARE(FindManual(kGerman, folders), QDir(source.path()).absoluteFilePath(QStringLiteral("manual_de.html")));
    QVERIFY(FindManual(kCzech, folders).isEmpty());
  }

  void aFolderNamedLikeTheManualIsNoManual() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("manual_en.html")));
    QVERIFY(FindManual(kEnglish, {folder.path()}).isEmpty());
  }

  void installedProgramLooksInItsOwnPrefixAndNeverInTheDocumentation() {
    const QStringList folders = ManualFolders(QStringLiteral("/opt/zelmo/bin"));
    QCOMPARE(folders.first(), QStringLiteral("/opt/zelmo/share/zelmo-tci/manual"));
    for (const QString& folder : folders) {
      QVERIFY2(QDir::isAbsolutePath(folder), qPrintable(folder));
      QVERIFY2(!folder.contains(QStringLiteral("/share/doc/")), qPrintable(folder));
    }
    QVERIFY(SourceTreeOfBuild(QStringLiteral("/opt/zelmo/bin")).isEmpty());
  }

  void buildFolderAtAnyDepthAndPlaceFindsItsSourceTree() {
    QTemporaryDir build;
    QTemporaryDir source;
    QFile cache(build.filePath(QStringLiteral("CMakeCache.txt")));
    QVERIFY(cache.open(QIODevice::WriteOnly));
    cache.write(
        "# This is the CMakeCache file.\nCMAKE_BUILD_TYPE:STRING=Debug\n"
        "CMAKE_HOME_DIRECTORY:INTERNAL=" +
        source.path().toUtf8() + "\n");
    cache.close();
    const QString deep = build.filePath(QStringLiteral("a/b/c/d/e/f/g/h/src/app"));
    QVERIFY(QDir().mkpath(deep));
    QCOMPARE(SourceTreeOfBuild(deep), source.path());
    QVERIFY(ManualFolders(deep).contains(QDir(source.path()).filePath(QStringLiteral("docs/manual"))));

    QVERIFY(QDir(source.path()).mkpath(QStringLiteral("docs/manual")));
    Touch(QDir(source.path()).filePath(QStringLiteral("docs/manual/manual_de.html")));
    QVERIFY(FindManual(kGerman, ManualFolders(deep)).startsWith(source.path()));
  }

  void cacheWithoutASourceTreeGivesNone() {
    QTemporaryDir build;
    QFile cache(build.filePath(QStringLiteral("CMakeCache.txt")));
    QVERIFY(cache.open(QIODevice::WriteOnly));
    cache.write("CMAKE_BUILD_TYPE:STRING=Debug\n");
    cache.close();
    QVERIFY(SourceTreeOfBuild(build.path()).isEmpty());
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
