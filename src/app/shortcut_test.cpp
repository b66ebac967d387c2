// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's shortcuts pressed while a numeric field has the focus and holds a
// value typed but not yet confirmed, which is where the focus nearly always
// is: each key does what its menu item does when chosen with the mouse.
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <utility>

#include "app/test_support.h"
#include "app/up_down.h"
#include "core/model/parameter_table.h"

namespace zelmo {
namespace {

using test::AnswerFileDialog;
using test::Child;
using test::ConfigFolder;
using test::WhenModal;

// A unit and a window on it whose printouts go to a PDF file.
struct KeyBench : test::Bench {
  explicit KeyBench(const QString& printTo) : Bench({.printTo = printTo}) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
  }

  // Types into the advance field of breakpoint 2 as the keyboard does, and
  // leaves the focus there.
  QLineEdit* type(const QString& text) const {
    auto* field = Child<QLineEdit>(window.get(), "Edit51");
    // A dialog closed on this platform does not give the activation back.
    window->activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(window.get())); }();
    field->setFocus();
    [&] { QTRY_VERIFY(field->hasFocus()); }();
    field->selectAll();
    QTest::keyClicks(field, text);
    return field;
  }
  void press(QKeyCombination key) const {
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
  }
  int advance(int i) const { return window->session().image().advance(i); }
};

// Takes down the next modal widget and tells its class.
void CloseModal(QString* seen) {
  WhenModal([seen](QWidget* modal) {
    *seen = QString::fromLatin1(modal->metaObject()->className());
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      box->button(QMessageBox::No)->click();
    } else {
      static_cast<QDialog*>(modal)->reject();
    }
  });
}

}  // namespace

class ShortcutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  // The field's own undo used to take Ctrl+Z; now undo and redo act on the
  // session, and the typed value goes as it goes when the menu item is chosen.
  void undoAndRedoActOnTheSession() {
    KeyBench bench(config_->file(QStringLiteral("sheet.pdf")));
    const int start = bench.advance(0);
    auto* upDown = Child<UpDown>(bench.window.get(), "UpDown50");
    QTest::mouseClick(upDown, Qt::LeftButton, {}, QPoint(upDown->width() / 2, 2));
    QCOMPARE(bench.advance(0), start + 1);

    QLineEdit* field = bench.type(QStringLiteral("33"));
    bench.press(Qt::CTRL | Qt::Key_Z);
    QCOMPARE(bench.advance(0), start);
    QVERIFY(bench.window->session().canRedo());
    QCOMPARE(field->text(), QString::number(bench.advance(1)));
    QVERIFY(field->hasFocus());

    bench.type(QStringLiteral("34"));
    bench.press(Qt::CTRL | Qt::ALT | Qt::Key_Z);
    QCOMPARE(bench.advance(0), start + 1);
    QVERIFY(!bench.window->session().canRedo());
  }

  // Ctrl+Y and Ctrl+Shift+Z redo as the design's Ctrl+Alt+Z does, even from a
  // field whose own editing would claim them.
  void desktopRedoKeys() {
    KeyBench bench(config_->file(QStringLiteral("sheet.pdf")));
    const int start = bench.advance(0);
    auto* upDown = Child<UpDown>(bench.window.get(), "UpDown50");
    for (const QKeyCombination redo : {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}) {
      QTest::mouseClick(upDown, Qt::LeftButton, {}, QPoint(upDown->width() / 2, 2));
      QCOMPARE(bench.advance(0), start + 1);
      bench.type(QString::number(bench.advance(1)));
      bench.press(Qt::CTRL | Qt::Key_Z);
      QCOMPARE(bench.advance(0), start);
      bench.type(QString::number(bench.advance(1)));
      bench.press(redo);
      QCOMPARE(bench.advance(0), start + 1);
      bench.press(Qt::CTRL | Qt::Key_Z);
      QCOMPARE(bench.advance(0), start);
    }
  }

  // Ctrl+O and Ctrl+S show the dialogs of F3 and F2; Ctrl+Q ends the program
  // as Exit does.
  void desktopFileKeys() {
    KeyBench bench(config_->file(QStringLiteral("sheet.pdf")));
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_S}) {
      bench.type(QStringLiteral("33"));
      QString seen;
      CloseModal(&seen);
      bench.press(key);
      QCOMPARE(seen, QStringLiteral("QFileDialog"));
    }
    bench.type(QStringLiteral("33"));
    bench.press(Qt::CTRL | Qt::Key_Q);
    QVERIFY(!bench.window->isVisible());
    // Closing takes the typed value, as the close button does.
    QCOMPARE(bench.advance(1), 33);
  }

  // The menus show every key of an item, the design's first, in every language.
  void menusShowTheKeys() {
    KeyBench bench(config_->file(QStringLiteral("sheet.pdf")));
    TFormHlav* window = bench.window.get();
    const auto keys = [window](const char* item) { return Child<QAction>(window, item)->shortcuts(); };
    using Keys = QList<QKeySequence>;
    QCOMPARE(keys("MenuOpen"), (Keys{QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_O)}));
    QCOMPARE(keys("MenuSave"), (Keys{QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_S)}));
    QCOMPARE(keys("MenuExit"), (Keys{QKeySequence(Qt::CTRL | Qt::Key_Q)}));
    QCOMPARE(keys("MenuZnovu"), (Keys{QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    QCOMPARE(keys("MenuZpet"), (Keys{QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    QCOMPARE(keys("MenuNew"), (Keys{QKeySequence(Qt::CTRL | Qt::Key_N)}));
    QCOMPARE(keys("MenuOpenExeDir"), (Keys{QKeySequence(Qt::CTRL | Qt::Key_F3)}));
    for (void (TFormHlav::*language)() :
         {&TFormHlav::MenuGermanClick, &TFormHlav::MenuCzechClick, &TFormHlav::MenuEnglishClick}) {
      (window->*language)();
      QVERIFY(Child<QAction>(window, "MenuOpen")->text().endsWith(QStringLiteral("\tF3, Ctrl+O")));
      QVERIFY(Child<QAction>(window, "MenuSave")->text().endsWith(QStringLiteral("\tF2, Ctrl+S")));
      QVERIFY(
          Child<QAction>(window, "MenuZnovu")->text().endsWith(QStringLiteral("\tCtrl+Alt+Z, Ctrl+Y, Ctrl+Shift+Z")));
      // One key: the menu shows it by itself.
      QVERIFY(!Child<QAction>(window, "MenuExit")->text().contains(QLatin1Char('\t')));
    }
  }

  // Advance -/+, Save and Print take what the fields hold, typed or not.
  void commandsThatTakeTheFieldsTakeTheTypedValue() {
    const QString pdf = config_->file(QStringLiteral("sheet.pdf"));
    KeyBench bench(pdf);
    Child<QCheckBox>(bench.window.get(), "CheckBoxIgnAll")->setChecked(true);
    bench.type(QStringLiteral("33"));
    bench.press(QKeyCombination(Qt::Key_F5));
    QCOMPARE(bench.advance(1), 34);
    bench.type(QStringLiteral("40"));
    bench.press(QKeyCombination(Qt::Key_F4));
    QCOMPARE(bench.advance(1), 39);

    bench.type(QStringLiteral("21"));
    const QString file = config_->file(QStringLiteral("typed.ign"));
    AnswerFileDialog(file);
    bench.press(QKeyCombination(Qt::Key_F2));
    QCOMPARE(bench.advance(1), 21);
    QVERIFY(QFileInfo::exists(file));

    bench.type(QStringLiteral("22"));
    bench.press(Qt::CTRL | Qt::Key_P);
    QTRY_VERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(Child<QLineEdit>(bench.window.get(), "Edit51")->text(), QStringLiteral("22"));
  }

  // New asks first; Open, Open from and Save to the program's folder show
  // their file dialogs.
  void dialogCommandsOpenTheirDialogs() {
    KeyBench bench(config_->file(QStringLiteral("sheet.pdf")));
    const std::array<std::pair<QKeyCombination, const char*>, 4> commands{{{Qt::CTRL | Qt::Key_N, "QMessageBox"},
                                                                           {QKeyCombination(Qt::Key_F3), "QFileDialog"},
                                                                           {Qt::CTRL | Qt::Key_F3, "QFileDialog"},
                                                                           {Qt::CTRL | Qt::Key_F2, "QFileDialog"}}};
    for (const auto& [key, dialog] : commands) {
      bench.type(QStringLiteral("33"));
      QString seen;
      CloseModal(&seen);
      bench.press(key);
      QCOMPARE(seen, QString::fromLatin1(dialog));
    }
  }

  // Verify and Program send the typed value, Read replaces it with the unit's.
  void deviceCommandsFromAField() {
    KeyBench bench(config_->file(QStringLiteral("sheet.pdf")));
    QTRY_VERIFY_WITH_TIMEOUT(!bench.window->session().engine().display().noConnection, 5000);
    const int unitValue = bench.unit.memory().block[::zelmo::field::kAdvance + 1];

    bench.type(QString::number(unitValue + 3));
    bench.press(QKeyCombination(Qt::Key_F8));
    QTRY_VERIFY_WITH_TIMEOUT(bench.window->session().unitAfterFailure().has_value(), 5000);
    QCOMPARE(bench.advance(1), unitValue + 3);

    QLineEdit* field = bench.type(QString::number(unitValue + 4));
    bench.press(QKeyCombination(Qt::Key_F7));
    QTRY_COMPARE_WITH_TIMEOUT(field->text(), QString::number(unitValue), 5000);
    QCOMPARE(bench.advance(1), unitValue);

    bench.type(QString::number(unitValue + 5));
    bench.press(QKeyCombination(Qt::Key_F9));
    QTRY_COMPARE_WITH_TIMEOUT(static_cast<int>(bench.unit.memory().block[::zelmo::field::kAdvance + 1]), unitValue + 5,
                              5000);
  }

  // F1 chooses the manual's item; the desktop viewer it starts is no part of
  // this test, so only the item's own signal is watched.
  void helpFromAField() {
    KeyBench bench(config_->file(QStringLiteral("sheet.pdf")));
    auto* contents = Child<QAction>(bench.window.get(), "MenuContens");
    QObject::disconnect(contents, &QAction::triggered, bench.window.get(), nullptr);
    QSignalSpy chosen(contents, &QAction::triggered);
    bench.type(QStringLiteral("33"));
    bench.press(QKeyCombination(Qt::Key_F1));
    QCOMPARE(chosen.count(), 1);
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::ShortcutTest)
#include "shortcut_test.moc"
