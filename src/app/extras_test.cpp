// SPDX-License-Identifier: GPL-3.0-or-later
// The difference report, the automatic history, the recording of live values
// and the unprogrammed-changes indicator, against the simulated unit.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>

#include "app/test_support.h"
#include "core/model/bike_code.h"

namespace zelmo {

using test::AnswerFileDialog;
using test::AnswerMessageBox;
using test::Bench;
using test::Child;
using test::ConfigFolder;
using test::WhenModal;

namespace {

QAction* Item(TFormHlav& window, const char* name) { return Child<QAction>(&window, name); }

void WaitIdle(Bench& bench) {
  bench.runTicks(4);
  QTRY_COMPARE_WITH_TIMEOUT(bench.window->session().engine().transferState(), TransferState::Idle, 5000);
}

void SetAdvance4(TFormHlav& window, const char* value) {
  auto* field = Child<QLineEdit>(&window, "Edit53");
  field->setText(QString::fromLatin1(value));
  QTest::keyClick(field, Qt::Key_Return);
}

}  // namespace

class ExtrasTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  void differencesAfterAVerifyAgainstOtherParameters() {
    Bench bench;
    TFormHlav& window = *bench.window;
    auto* button = Child<QPushButton>(&window, "ButtonDifferences");
    QAction* item = Item(window, "MenuDifferences");
    bench.runTicks(3);
    QVERIFY(button->isHidden());
    QVERIFY(!item->isEnabled());

    const int unitValue = bench.unit.memory().block[field::kAdvance + 3];
    SetAdvance4(window, unitValue == 41 ? "40" : "41");
    window.MenuVerifyClick();
    WaitIdle(bench);
    QCOMPARE(Child<QLabel>(&window, "LabelHlaseni")->text(), QStringLiteral("Verify error!"));
    QVERIFY(!button->isHidden());
    QVERIFY(item->isEnabled());
    QCOMPARE(button->text(), QStringLiteral("Differences..."));

    int differing = 0;
    QString advanceRow;
    WhenModal([&](QWidget* modal) {
      auto* table = modal->findChild<QTableWidget*>(QStringLiteral("DifferencesTable"));
      QVERIFY(table);
      QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Editor"));
      for (int r = 0; r < table->rowCount(); ++r) {
        if (!table->item(r, 0)->font().bold()) continue;
        ++differing;
        advanceRow = table->item(r, 0)->text() + "|" + table->item(r, 1)->text() + "|" + table->item(r, 2)->text();
      }
      QVERIFY(table->item(table->rowCount() - 1, 0)->text().startsWith(QStringLiteral("reserved bytes: 0")));
      static_cast<QDialog*>(modal)->reject();
    });
    button->click();
    QCOMPARE(differing, 1);
    QCOMPARE(advanceRow, QStringLiteral("Advance 4 [°]|%1|%2").arg(unitValue == 41 ? 40 : 41).arg(unitValue));

    // In every language the indicator keeps to the button's row, clear of the
    // data-error notice below it and of the COM label to the right.
    auto* indicator = Child<QLabel>(&window, "LabelNotProgrammed");
    const QRect dataError = Child<QLabel>(&window, "LabelEeDataErr")->geometry();
    for (auto apply : {&TFormHlav::MenuGermanClick, &TFormHlav::MenuCzechClick, &TFormHlav::MenuEnglishClick}) {
      (window.*apply)();
      QVERIFY(!indicator->geometry().intersects(dataError));
      QVERIFY(!indicator->geometry().intersects(button->geometry()));
      QVERIFY(indicator->geometry().right() < 427);
    }

    // Czech captions; a programming that ends equal takes the offer away.
    window.MenuCzechClick();
    QCOMPARE(button->text(), QStringLiteral("Rozdíly..."));
    window.MenuProgramClick();
    WaitIdle(bench);
    QVERIFY(button->isHidden());
    QVERIFY(!item->isEnabled());
  }

  void historyKeepsReadsAndProgrammingsAndOpensThem() {
    Bench bench;
    TFormHlav& window = *bench.window;
    const QDir history(config_->file(QStringLiteral("history")));
    bench.runTicks(3);
    window.MenuReadClick();
    WaitIdle(bench);
    QCOMPARE(history.entryList({QStringLiteral("*_read.ign")}, QDir::Files).size(), 1);

    SetAdvance4(window, "41");
    window.MenuProgramClick();
    WaitIdle(bench);
    const QStringList programmed = history.entryList({QStringLiteral("*_program*.ign")}, QDir::Files);
    QCOMPARE(programmed.size(), 1);
    QCOMPARE(history.entryList(QDir::Files).size(), 2);

    SetAdvance4(window, "12");
    int rows = 0;
    QString newest;
    WhenModal([&](QWidget* modal) {
      auto* table = modal->findChild<QTableWidget*>(QStringLiteral("HistoryTable"));
      QVERIFY(table);
      rows = table->rowCount();
      newest = table->item(0, 1)->text();
      table->selectRow(0);
      auto* open = modal->findChild<QPushButton*>(QStringLiteral("HistoryOpen"));
      QVERIFY(open);
      QCOMPARE(open->text(), QStringLiteral("Open"));
      open->click();
    });
    Item(window, "MenuHistory")->trigger();
    QCOMPARE(rows, 2);
    QCOMPARE(newest, QStringLiteral("Programmed"));
    QCOMPARE(window.session().image().advance(3), 41);
    QCOMPARE(Child<QLineEdit>(&window, "Edit53")->text(), QStringLiteral("41"));
    QVERIFY(window.lastFilePath().endsWith(programmed.first()));
    // Opening records nothing: undo goes back past the opened entry to before
    // the last edit (41), and redo brings that edit (12), not the entry.
    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().image().advance(3), 41);
    window.SpeedButtonZnovuClick();
    QCOMPARE(window.session().image().advance(3), 12);
  }

  void historyFailureIsReported() {
    config_->write(QStringLiteral("history"), "a file where the folder should be");
    Bench bench;
    bench.runTicks(3);
    QString text;
    AnswerMessageBox(QMessageBox::Ok, &text);
    bench.window->MenuReadClick();
    WaitIdle(bench);
    QTRY_VERIFY(!text.isEmpty());
    QVERIFY2(text.startsWith(QStringLiteral("Unable to save")), qPrintable(text));
  }

  void recordingWritesARowPerFrame() {
    Bench bench;
    TFormHlav& window = *bench.window;
    QAction* item = Item(window, "MenuRecord");
    auto* rec = Child<QLabel>(&window, "LabelRec");
    const QString file = config_->file(QStringLiteral("live.csv"));
    QString offered;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY2(dialog, "a file dialog was expected");
      offered = dialog->directory().absolutePath();
      dialog->selectFile(file);
      static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    });
    item->trigger();
    QCOMPARE(offered, config_->file(QStringLiteral("recordings")));
    QVERIFY(item->isChecked());
    QVERIFY(!rec->isHidden());
    QCOMPARE(rec->text(), QStringLiteral("REC"));
    bench.runTicks(75);
    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(rec->isHidden());
    const QList<QByteArray> lines = config_->read(QStringLiteral("live.csv")).trimmed().split('\n');
    QVERIFY2(lines.size() >= 11, qPrintable(QString::number(lines.size())));
    // Nothing more once stopped.
    bench.runTicks(12);
    QCOMPARE(config_->read(QStringLiteral("live.csv")).trimmed().split('\n').size(), lines.size());
  }

  void recordingWriteErrorStopsAndSaysSo() {
    Bench bench;
    TFormHlav& window = *bench.window;
    // A file that takes nothing: the header already fails.
    const QString full = config_->file(QStringLiteral("full.csv"));
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), full));
    AnswerFileDialog(full);
    Item(window, "MenuRecord")->trigger();
    QString text;
    AnswerMessageBox(QMessageBox::Ok, &text);
    bench.runTicks(12);
    QTRY_VERIFY(!text.isEmpty());
    QVERIFY2(text.startsWith(QStringLiteral("Recording stopped: unable to write to ") + full), qPrintable(text));
    QVERIFY(!Item(window, "MenuRecord")->isChecked());
    QVERIFY(Child<QLabel>(&window, "LabelRec")->isHidden());

    // A folder that does not exist.
    const QString nowhere = config_->file(QStringLiteral("missing/live.csv"));
    AnswerFileDialog(nowhere);
    Item(window, "MenuRecord")->trigger();
    text.clear();
    AnswerMessageBox(QMessageBox::Ok, &text);
    QTRY_VERIFY(!text.isEmpty());
    QVERIFY2(text.contains(nowhere), qPrintable(text));
    QVERIFY(!Item(window, "MenuRecord")->isChecked());
  }

  void notProgrammedThroughEditProgramVerifyAndUndo() {
    Bench bench;
    TFormHlav& window = *bench.window;
    auto* label = Child<QLabel>(&window, "LabelNotProgrammed");
    bench.runTicks(2);
    // Nothing learnt about the unit since start: no sign, also after an edit.
    QVERIFY(label->isHidden());
    SetAdvance4(window, "41");
    bench.runTicks(2);
    QVERIFY(label->isHidden());

    window.MenuProgramClick();
    WaitIdle(bench);
    QTRY_VERIFY(label->isHidden());

    SetAdvance4(window, "12");
    bench.runTicks(2);
    QVERIFY(!label->isHidden());
    QCOMPARE(label->text(), QStringLiteral("Not programmed"));
    window.SpeedButtonZpetClick();
    bench.runTicks(2);
    QVERIFY(label->isHidden());

    window.MenuCzechClick();
    SetAdvance4(window, "13");
    bench.runTicks(2);
    QCOMPARE(label->text(), QStringLiteral("Nenaprogramováno"));
    // A verify of the changed editor fails: undo back to the programmed values
    // no longer hides it, since the unit was not found to hold them.
    window.MenuVerifyClick();
    WaitIdle(bench);
    window.SpeedButtonZpetClick();
    bench.runTicks(2);
    QVERIFY(!label->isHidden());
    window.MenuVerifyClick();
    WaitIdle(bench);
    bench.runTicks(1);
    QVERIFY(label->isHidden());

    window.setPrintAppearance(true);
    SetAdvance4(window, "14");
    QVERIFY(label->isHidden());
    window.setPrintAppearance(false);
  }

  void manualWithoutAViewerNamesItsFile() {
    // No xdg-open to be found; the offscreen platform has no desktop services either.
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toUtf8());
    Bench bench;
    TFormHlav& window = *bench.window;
    for (auto [apply, file, words] :
         {std::tuple{&TFormHlav::MenuEnglishClick, "manual_en.html", "No program could be started"},
          std::tuple{&TFormHlav::MenuGermanClick, "manual_de.html", "kein Programm"},
          std::tuple{&TFormHlav::MenuCzechClick, "manual_cz.html", "žádný program"}}) {
      (window.*apply)();
      QString text;
      QMessageBox::Icon icon = QMessageBox::NoIcon;
      WhenModal([&text, &icon](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
      });
      Item(window, "MenuContens")->trigger();  // F1
      QTRY_VERIFY(!text.isEmpty());
      QVERIFY2(text.contains(QString::fromUtf8(words)), qPrintable(text));
      QVERIFY2(text.endsWith(QLatin1Char('/') + QLatin1String(file)), qPrintable(text));
      QVERIFY(QFile::exists(text.section(QLatin1Char('\n'), -1)));
      QCOMPARE(icon, QMessageBox::Warning);
    }
    qputenv("PATH", path);
  }

  // The unit's long bike names must stay in view: a horizontal scroll bar hid
  // the unit's column, and with it the bike row's mark.
  void differencesMarkAnotherBikeAndFitTheirTable() {
    Bench bench;
    TFormHlav& window = *bench.window;
    bench.runTicks(3);
    auto* bike = Child<QComboBox>(&window, "ComboBoxBike");
    const int unitIndex = BikeCodeToIndex(bench.unit.memory().block[field::kBikeCode]).value_or(0);
    const int other = unitIndex == 3 ? 4 : 3;
    bike->setCurrentIndex(other);
    emit bike->activated(other);
    window.MenuVerifyClick();
    WaitIdle(bench);
    for (auto apply : {&TFormHlav::MenuEnglishClick, &TFormHlav::MenuGermanClick, &TFormHlav::MenuCzechClick}) {
      (window.*apply)();
      QString bikeRow;
      bool marked = false;
      bool scrolls = true;
      bool fits = false;
      WhenModal([&](QWidget* modal) {
        auto* table = modal->findChild<QTableWidget*>(QStringLiteral("DifferencesTable"));
        QVERIFY(table);
        bikeRow = table->item(0, 0)->text() + "|" + table->item(0, 1)->text() + "|" + table->item(0, 2)->text();
        marked = table->item(0, 0)->font().bold() && table->item(0, 1)->font().bold();
        QTest::qWait(50);
        scrolls = table->horizontalScrollBar()->isVisible() || table->horizontalScrollBar()->maximum() > 0;
        fits = modal->width() <= 769 && modal->height() <= 803;  // the main window's size
        static_cast<QDialog*>(modal)->reject();
      });
      window.MenuDifferencesClick();
      QVERIFY2(marked, qPrintable(bikeRow));
      QVERIFY2(!scrolls, qPrintable(bikeRow));
      QVERIFY(fits);
    }
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::ExtrasTest)
#include "extras_test.moc"
