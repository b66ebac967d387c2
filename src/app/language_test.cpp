// SPDX-License-Identifier: GPL-3.0-or-later
// Switching the language: captions, hints, the shared rows and what they
// leave alone.
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app/test_support.h"

namespace zelmo {

using test::Bench;
using test::Child;
using test::ConfigFolder;

class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  // A row whose control the window lacks would be dropped without a word.
  void everyControlOfTheLanguageTablesIsInTheWindow() {
    Bench bench;
    TFormHlav& window = *bench.window;
    for (const std::uint8_t language : {kEnglish, kGerman, kCzech}) {
      for (const auto table : {LanguageCaptions(language), LanguageHints(language)}) {
        for (const ControlText& row : table) {
          const QString name = QString::fromUtf8(row.control.data(), static_cast<qsizetype>(row.control.size()));
          QVERIFY2(window.findChild<QObject*>(name) != nullptr, qPrintable(name));
        }
      }
    }
  }

  void firstStartSpeaksTheDesktopsLanguageAndLaterStartsTheStoredOne() {
    auto startWith = [](const char* desktop, QStringList arguments = {}) {
      return std::make_unique<Bench>(
          test::BenchSetup{.arguments = std::move(arguments), .desktopLanguage = QString::fromLatin1(desktop)});
    };
    const std::array<std::pair<const char*, std::uint8_t>, 5> firstStarts{
        {{"cs-CZ", kCzech}, {"de-AT", kGerman}, {"de", kGerman}, {"sk-SK", kEnglish}, {"en-US", kEnglish}}};
    // A new folder each: the old one's end must not unset the new one's.
    auto fresh = [this] {
      config_.reset();
      config_ = std::make_unique<ConfigFolder>();
    };
    for (const auto& [desktop, language] : firstStarts) {
      fresh();
      auto bench = startWith(desktop);
      QCOMPARE(bench->window->session().choices().languageId, language);
    }
    {
      fresh();
      auto bench = startWith("cs-CZ");
      QCOMPARE(bench->window->windowTitle(), QStringLiteral("Programování jednotky \"Zelmo TCI\""));
      QVERIFY(Child<QAction>(bench->window.get(), "MenuCzech")->isChecked());
      QCOMPARE(Child<QMenu>(bench->window.get(), "MenuFile")->title(), QStringLiteral("&Soubor"));
      bench->window->MenuGermanClick();
      bench->window->close();
    }
    // From the second start on, the stored choice holds whatever the desktop says.
    QCOMPARE(startWith("cs-CZ")->window->session().choices().languageId, kGerman);
    // The command line still wins on a first start.
    fresh();
    QCOMPARE(startWith("de-DE", {QStringLiteral("CESKY")})->window->session().choices().languageId, kCzech);
    // A settings file without a language word is no first start: English, as always.
    fresh();
    config_->write(QStringLiteral("Zelmo_TCI.ini"), "[FORM_HLAV]\r\nComPort=2\r\n");
    QCOMPARE(startWith("de-DE")->window->session().choices().languageId, kEnglish);
  }

  void germanReplacesCaptionsHintsAndMessages() {
    Bench bench;
    TFormHlav& window = *bench.window;
    Child<QAction>(&window, "MenuGerman")->trigger();
    QCOMPARE(window.session().choices().languageId, kGerman);
    QCOMPARE(window.windowTitle(), QStringLiteral("Programmierung der \"Zelmo TCI\" Zündbox"));
    QCOMPARE(Child<QMenu>(&window, "MenuFile")->title(), QStringLiteral("&Datei"));
    QCOMPARE(Child<QAction>(&window, "MenuOpenExeDir")->text(), QStringLiteral("Öffnen aus exe dir"));
    QCOMPARE(Child<QAction>(&window, "AdvanceMinus")->text(), QStringLiteral("Vorzündung -"));
    QCOMPARE(Child<QPushButton>(&window, "Button1")->text(), QStringLiteral("&Lesen"));
    QCOMPARE(Child<QAction>(&window, "MenuEnglish")->text(), QStringLiteral("Englisch"));
    QCOMPARE(Child<QWidget>(&window, "SpeedButtonOpen")->statusTip(), QStringLiteral("öffnen Datei mit Kenndaten"));
    QCOMPARE(Child<QAction>(&window, "MenuExit")->statusTip(), QStringLiteral("Programm beenden"));
    QCOMPARE(Child<QComboBox>(&window, "ComboBoxBike")->itemText(9), QStringLiteral("Sonderstellung"));
    QCOMPARE(window.session().messages().defaultQuestion, std::string("Wollen Sie Standardeinstellungen öffnen?"));
    QVERIFY(Child<QAction>(&window, "MenuGerman")->isChecked());
    QVERIFY(!Child<QAction>(&window, "MenuEnglish")->isChecked());
    // "No Connection" shows before the first frame: the placeholders follow the language.
    QCOMPARE(Child<QLabel>(&window, "LabelAdvance")->text(), QStringLiteral("Vorzündung= --- [°]"));
    QCOMPARE(Child<QLabel>(&window, "LabelMonSnimac1")->text(), QStringLiteral("Geber(CPS) 1 = ---"));
  }

  void comHintStaysGermanOnceGermanWasApplied() {
    Bench bench;
    TFormHlav& window = *bench.window;
    QMenu* com = Child<QMenu>(&window, "MenuCom");
    QCOMPARE(com->menuAction()->statusTip(), QStringLiteral("Set number of com "));
    window.MenuCzechClick();
    QCOMPARE(com->menuAction()->statusTip(), QStringLiteral("Set number of com "));
    window.MenuGermanClick();
    QCOMPARE(com->menuAction()->statusTip(), QStringLiteral("Com Port festlegen"));
    window.MenuEnglishClick();
    QCOMPARE(com->menuAction()->statusTip(), QStringLiteral("Com Port festlegen"));
    QCOMPARE(com->title(), QStringLiteral("&Com"));
    window.MenuCzechClick();
    QCOMPARE(com->menuAction()->statusTip(), QStringLiteral("Com Port festlegen"));
    QCOMPARE(Child<QAction>(&window, "MenuRead")->toolTip(), QStringLiteral("Čtení"));
    QCOMPARE(Child<QAction>(&window, "MenuRead")->statusTip(), QStringLiteral("Čtení parametrů z jednotky"));
  }

  void englishCaptionNamesTheFileAndTheTenthBikeFollows() {
    Bench bench;
    TFormHlav& window = *bench.window;
    auto* list = Child<QComboBox>(&window, "ComboBoxBike");
    list->setCurrentIndex(9);
    emit list->activated(9);
    window.MenuCzechClick();
    QCOMPARE(list->itemText(9), QStringLiteral("Speciální nastavení"));
    QCOMPARE(list->currentIndex(), 9);
    window.MenuEnglishClick();
    QCOMPARE(list->itemText(9), QStringLiteral("Special setting"));
    QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       "));
    QCOMPARE(list->itemText(0), QStringLiteral("RKX 600                -98"));
  }

  void languageChangeShowsTheImageAgain() {
    Bench bench;
    TFormHlav& window = *bench.window;
    auto* field = Child<QLineEdit>(&window, "EditBaseAdv");
    field->setText(QStringLiteral("30"));
    window.MenuEnglishClick();
    QCOMPARE(field->text(), QStringLiteral("5"));
    QCOMPARE(window.session().image().baseAdvance(), 5);
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::LanguageTest)
#include "language_test.moc"
