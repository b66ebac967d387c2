// SPDX-License-Identifier: GPL-3.0-or-later
// The window's command line: its options, the language word, and the file it
// opens at start as the Open command does.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/command_line.h"
#include "app/test_support.h"
#include "core/files/ign_format.h"
#include "core/model/presets.h"

namespace zelmo {

using test::Bench;
using test::ConfigFolder;

namespace {

QString Absolute(const QString& path) { return QDir::current().absoluteFilePath(path); }

// Answers the first message box with OK and keeps its text.
void KeepMessage(QString& text) {
  test::WhenModal([&text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box);
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  });
}

QString WriteFile(const QTemporaryDir& folder, const QString& name, const QByteArray& content) {
  const QString path = folder.filePath(name);
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(content);
  return path;
}

}  // namespace

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void optionsInEitherSpelling() {
    const CommandLine line = ParseCommandLine(
        {QStringLiteral("--port=/dev/ttyUSB1"), QStringLiteral("--print-to"), QStringLiteral("sheet.pdf")});
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QCOMPARE(line.port, QStringLiteral("/dev/ttyUSB1"));
    QCOMPARE(line.printTo, QStringLiteral("sheet.pdf"));
    QVERIFY(line.arguments.isEmpty());
    QVERIFY(line.file.isEmpty());
    QVERIFY(!line.help && !line.version);
    QVERIFY(ParseCommandLine({QStringLiteral("-h")}).help);
    QVERIFY(ParseCommandLine({QStringLiteral("--version")}).version);
    QVERIFY(ParseCommandLine({QStringLiteral("-V")}).version);
    // Help is answered even when the rest of the line is wrong.
    QVERIFY(ParseCommandLine({QStringLiteral("--frob"), QStringLiteral("--help")}).help);
  }

  void languageWordThenFile() {
    CommandLine line = ParseCommandLine({QStringLiteral("DEUTSCH"), QStringLiteral("a.ign")});
    QCOMPARE(line.arguments, QStringList({QStringLiteral("DEUTSCH"), QStringLiteral("a.ign")}));
    QCOMPARE(line.file, Absolute(QStringLiteral("a.ign")));
    QVERIFY(line.error.isEmpty());
    line = ParseCommandLine({QStringLiteral("CESKY")});
    QVERIFY(line.file.isEmpty());
    QCOMPARE(line.arguments, QStringList({QStringLiteral("CESKY")}));
    line = ParseCommandLine({QStringLiteral("/x/b.ign")});
    QCOMPARE(line.file, QStringLiteral("/x/b.ign"));
    // Only the exact words name a language; any other first word is the file.
    line = ParseCommandLine({QStringLiteral("deutsch")});
    QCOMPARE(line.file, Absolute(QStringLiteral("deutsch")));
    // "--" ends the options: a file may then start with a dash.
    line = ParseCommandLine({QStringLiteral("ENGLISH"), QStringLiteral("--"), QStringLiteral("--odd.ign")});
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QCOMPARE(line.file, Absolute(QStringLiteral("--odd.ign")));
  }

  void wrongLinesAreRefused() {
    for (const QStringList& words :
         {QStringList{QStringLiteral("--frob")}, QStringList{QStringLiteral("--port")},
          QStringList{QStringLiteral("a.ign"), QStringLiteral("b.ign")},
          QStringList{QStringLiteral("DEUTSCH"), QStringLiteral("a.ign"), QStringLiteral("ENGLISH")}}) {
      QVERIFY2(!ParseCommandLine(words).error.isEmpty(), qPrintable(words.join(QLatin1Char(' '))));
    }
    QCOMPARE(ParseCommandLine({QStringLiteral("a.ign"), QStringLiteral("b.ign")}).error,
             QStringLiteral("Unexpected argument 'b.ign'."));
  }

  void helpNamesEveryOption() {
    const QString help = CommandLineHelp();
    for (const char* word : {"--port DEVICE", "--print-to FILE", "--help", "--version", "DEUTSCH", "FILE.ign"}) {
      QVERIFY2(help.contains(QLatin1String(word)), word);
    }
  }

  void fileOnTheCommandLineOpensAsOpenDoes() {
    ConfigFolder config;
    QTemporaryDir folder;
    const QString path =
        WriteFile(folder, QStringLiteral("bike7.ign"), QByteArray::fromStdString(WriteParameterFile(NewParameters(7))));
    Bench bench({.arguments = {QStringLiteral("DEUTSCH"), path}, .startFile = path});
    // Opened once the window runs its event loop, after the port.
    QTRY_COMPARE(bench.window->session().image(), NewParameters(7));
    QCOMPARE(bench.link.openPort(), 1);
    QVERIFY(bench.window->windowTitle().endsWith(QStringLiteral("       ") + path));
    QCOMPARE(bench.window->lastFilePath(), path);
    QCOMPARE(bench.window->session().choices().languageId, kGerman);
    // As after Open, nothing to undo.
    QVERIFY(!bench.window->session().canUndo());
  }

  void refusedFileSaysSoInTheWindowsLanguage() {
    ConfigFolder config;
    QTemporaryDir folder;
    const QString path = WriteFile(folder, QStringLiteral("old.ign"), "TORVANEX_KEY        60\r\n");
    QString message;
    KeepMessage(message);
    Bench bench({.arguments = {QStringLiteral("DEUTSCH"), path}, .startFile = path});
    const ParameterImage before = bench.window->session().image();
    QTRY_VERIFY(!message.isEmpty());
    QCOMPARE(message, QStringLiteral("Uneinig Version der Datendatei *.ign!\n") + path);
    QCOMPARE(bench.window->session().image(), before);
    QVERIFY(bench.window->lastFilePath().isEmpty());
  }

  void missingFileIsAnOpenFileError() {
    ConfigFolder config;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gone.ign"));
    QString message;
    KeepMessage(message);
    Bench bench({.arguments = {path}, .startFile = path});
    QTRY_VERIFY(!message.isEmpty());
    QVERIFY2(message.startsWith(QStringLiteral("Open file error\n")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("gone.ign: cannot open: No such file or directory")), qPrintable(message));
    QCOMPARE(bench.window->session().image(), NewParameters(0));
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::CommandLineTest)
#include "command_line_test.moc"
