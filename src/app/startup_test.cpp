// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and close of the main window: the order of the settings, the
// command-line language and the values kept at close.
#include <QGuiApplication>
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "app/test_support.h"
#include "core/model/presets.h"

namespace zelmo {

using test::Bench;
using test::Child;
using test::ConfigFolder;

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void languageWordMustMatchExactly() {
    ConfigFolder config;
    config.write(QStringLiteral("Zelmo_TCI.ini"), "[FORM_HLAV]\r\nLanguage=3\r\n");
    {
      Bench bench({.arguments = {QStringLiteral("DEUTSCH")}});
      QCOMPARE(bench.window->session().choices().languageId, kGerman);
      QCOMPARE(bench.window->windowTitle(), QStringLiteral("Programmierung der \"Zelmo TCI\" Zündbox"));
      QVERIFY(Child<QAction>(bench.window.get(), "MenuGerman")->isChecked());
      QVERIFY(!Child<QAction>(bench.window.get(), "MenuCzech")->isChecked());
    }
    for (const char* word : {"deutsch", "DE", "english"}) {
      Bench bench({.arguments = {QString::fromLatin1(word)}});
      QCOMPARE(bench.window->session().choices().languageId, kCzech);
      QCOMPARE(bench.window->windowTitle(), QStringLiteral("Programování jednotky \"Zelmo TCI\""));
    }
  }

  void firstStartIsCentredOnComOneWithTheDefaults() {
    ConfigFolder config;
    Bench bench;
    TFormHlav& window = *bench.window;
    // Centred across the available area, as high as it lets the window be.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(window.width(), kDefaultWindowWidth);
    QVERIFY(qAbs(window.x() + window.width() / 2 - area.center().x()) <= 8);
    QVERIFY(area.contains(QRect(window.pos(), window.size())));
    QCOMPARE(window.session().choices().selectedComIndex, 0);
    // The port opens in the event loop's first pass, once the window may show.
    QCOMPARE(bench.link.openPort(), 0);
    QTRY_COMPARE(bench.link.openPort(), 1);
    QVERIFY(Child<QLabel>(&window, "LabelCom")->text().startsWith(QStringLiteral("COM= COM1")));
    QCOMPARE(window.session().choices().languageId, kEnglish);
    QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       "));
    QCOMPARE(window.session().image(), NewParameters(0));
    QVERIFY(!Child<QCheckBox>(&window, "CheckBoxIgnAll")->isChecked());
    QVERIFY(Child<QLabel>(&window, "LabelTest1")->isHidden());
    QVERIFY(!window.session().canUndo());
    QVERIFY(!window.session().canRedo());
    QVERIFY(!Child<QAction>(&window, "MenuZpet")->isEnabled());
    QVERIFY(!Child<QAction>(&window, "MenuZnovu")->isEnabled());
    QCOMPARE(Child<QLineEdit>(&window, "EditRpmAdv10")->text(), QLocale().toString(10000));
    QCOMPARE(Child<QLineEdit>(&window, "EditOmez2")->text(), QLocale().toString(13700));
  }

  // A single style sheet puts every widget of the window under Qt's style
  // sheet machinery: some 0.4 MB and milliseconds at each start.
  void theWindowSetsNoStyleSheet() {
    ConfigFolder config;
    Bench bench;
    QVERIFY(qApp->styleSheet().isEmpty());
    const QList<QWidget*> widgets = bench.window->findChildren<QWidget*>();
    QVERIFY(widgets.size() > 100);
    for (const QWidget* widget : widgets) QVERIFY2(widget->styleSheet().isEmpty(), qPrintable(widget->objectName()));
  }

  void storedImageAndSettingsComeBack() {
    ConfigFolder config;
    config.write(QStringLiteral("Zelmo_TCI.ini"),
                 "[FORM_HLAV]\r\nLeft=10\r\nTop=20\r\nComPort=21\r\nComPortAuto=4\r\nFile=/x/y.ign\r\n"
                 "IniDir=/x/z.ign\r\n[IGNITION]\r\nCheckBoxIgnAll->Checked=1\r\n");
    // Bike 5 (special), base advance 7, limiter 90, correction 0 (read as no correction).
    config.write(QStringLiteral("_Zelmo_TCI.ini"),
                 "4 5 7 90 0 1 5 1 0 1\r\n 10 20 30 40 50 60 70 80 90 100\r\n 1 2 3 4 5 6 7 8 9 10");
    config.write(QStringLiteral("test_brelot.txt"), "some words SVC_DISPLAY more");
    Bench bench;
    TFormHlav& window = *bench.window;
    QCOMPARE(window.pos(), QPoint(10, 20));
    QCOMPARE(window.session().choices().selectedComIndex, kAutoComIndex);
    QTRY_COMPARE(bench.link.openPort(), 4);  // in the event loop's first pass
    QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       /x/y.ign"));
    QCOMPARE(window.lastFilePath(), QStringLiteral("/x/z.ign"));
    QVERIFY(Child<QCheckBox>(&window, "CheckBoxIgnAll")->isChecked());
    QVERIFY(!Child<QLabel>(&window, "LabelTest8")->isHidden());
    const ParameterImage& image = window.session().image();
    QCOMPARE(image.speedCorrection(), 100);
    QCOMPARE(Child<QLineEdit>(&window, "EditBaseAdv")->text(), QStringLiteral("7"));
    QCOMPARE(Child<QLineEdit>(&window, "EditPalec13")->text(), QStringLiteral("4"));
    QCOMPARE(Child<QLineEdit>(&window, "EditOmez2")->text(), QLocale().toString(9000));
    QCOMPARE(Child<QLineEdit>(&window, "Edit59")->text(), QStringLiteral("10"));
    QCOMPARE(Child<QComboBox>(&window, "ComboBoxBike")->currentIndex(), 9);
    QVERIFY(Child<QCheckBox>(&window, "CheckBoxInvInput")->isChecked());
  }

  void positionOffEveryScreenIsCentred() {
    ConfigFolder config;
    config.write(QStringLiteral("Zelmo_TCI.ini"), "[FORM_HLAV]\r\nLeft=-9000\r\nTop=5000\r\n");
    Bench bench;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(bench.window->x() + bench.window->width() / 2 - area.center().x()) <= 8);
    QVERIFY(area.contains(QRect(bench.window->pos(), bench.window->size())));
  }

  void frenchSlotStartsInEnglish() {
    ConfigFolder config;
    config.write(QStringLiteral("Zelmo_TCI.ini"), "[FORM_HLAV]\r\nLanguage=2\r\n");
    Bench bench;
    QCOMPARE(bench.window->session().choices().languageId, kEnglish);
    QCOMPARE(bench.window->session().messages().programError, std::string("Program error!"));
    QCOMPARE(Child<QMenu>(bench.window.get(), "MenuFile")->title(), QStringLiteral("&File"));
  }

  void failedSettingsSaveIsReportedAndTheWindowStillCloses() {
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    // The configuration folder would have to live inside a plain file.
    qputenv("ZELMO_TCI_CONFIG_DIR", (blocker + QStringLiteral("/zelmo")).toUtf8());
    Bench bench;
    bench.window->show();
    QString message;
    test::AnswerMessageBox(QMessageBox::Ok, &message);
    QVERIFY(bench.window->close());
    qunsetenv("ZELMO_TCI_CONFIG_DIR");
    QVERIFY2(message.startsWith(QStringLiteral("Unable to write to ")), qPrintable(message));
    QVERIFY(message.contains(QStringLiteral("Zelmo_TCI.ini")));
    QVERIFY(!bench.window->isVisible());
  }

  void comOpeningErrorStandsOverTheShownWindow() {
    ConfigFolder config;
    sim::SimLinkOptions elsewhere;
    elsewhere.unitPort = 5;  // the window starts on COM 1
    QString message;
    QWidget* parent = nullptr;
    bool parentShown = false;
    test::WhenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box);
      message = box->text();
      parent = box->parentWidget();
      parentShown = parent && parent->isVisible();
      box->button(QMessageBox::Ok)->click();
    });
    Bench bench({.link = elsewhere});
    bench.window->show();
    QTRY_VERIFY(!message.isEmpty());
    QVERIFY2(message.startsWith(QStringLiteral("Com opening error!")), qPrintable(message));
    QCOMPARE(parent, bench.window.get());
    QVERIFY(parentShown);
  }

  void closeKeepsATypedButUnconfirmedValue() {
    ConfigFolder config;
    {
      Bench bench({.arguments = {QStringLiteral("CESKY")}});
      Child<QLineEdit>(bench.window.get(), "EditBaseAdv")->setText(QStringLiteral("12"));
      Child<QLineEdit>(bench.window.get(), "EditRpmAdv1")->setText(QStringLiteral("5000"));
      bench.window->close();
      QVERIFY(!bench.link.isOpen());
    }
    const QByteArray shadow = config.read(QStringLiteral("_Zelmo_TCI.ini"));
    QVERIFY(shadow.startsWith("    3     9    12   137 "));
    // Breakpoint 1 typed above breakpoint 2: the pass at close puts them in order.
    QVERIFY(shadow.contains("\r\n   50    51    52 "));
    const QByteArray settings = config.read(QStringLiteral("Zelmo_TCI.ini"));
    QVERIFY(settings.contains("ComPort=1\r\n"));
    QVERIFY(settings.contains("Language=3\r\n"));
    QVERIFY(settings.contains("CheckBoxIgnAll->Checked=0"));

    Bench again;
    QCOMPARE(again.window->session().image().baseAdvance(), 12);
    QCOMPARE(again.window->session().choices().languageId, kCzech);
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::StartupTest)
#include "startup_test.moc"
