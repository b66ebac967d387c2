// SPDX-License-Identifier: GPL-3.0-or-later
// The window against the simulated unit on an in-process link: connection
// display, the Com menu, program and read.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTest>

#include "app/gauge.h"
#include "app/test_support.h"
#include "core/files/ign_format.h"
#include "curve/curve_widget.h"

namespace zelmo {

using test::AnswerMessageBox;
using test::Bench;
using test::Child;
using test::ConfigFolder;

namespace {

class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace

class DeviceTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  void connectionAndLiveValuesShow() {
    Bench bench;
    TFormHlav& window = *bench.window;
    QVERIFY(!Child<QLabel>(&window, "LabelSpojeni")->isHidden());
    bench.runTicks(12);
    QTRY_VERIFY(Child<QLabel>(&window, "LabelSpojeni")->isHidden());
    QVERIFY(Child<QLabel>(&window, "LabelRpm")->text().startsWith(QStringLiteral("RPM = ")));
    QVERIFY(Child<QLabel>(&window, "LabelNapeti")->text().startsWith(QStringLiteral("U = ")));
    // The fields of the breakpoint nearest to the live speed, and only those, in lime.
    for (int k = 0; k < kBreakpointCount; ++k) {
      const bool marked = !window.session().engine().belowCurve() && window.session().engine().nearestPoint() == k;
      const QColor expected = marked ? QColor(0, 255, 0) : QColor(255, 255, 255);
      const QByteArray speed = "EditRpmAdv" + QByteArray::number(k + 1);
      const QByteArray advance = "Edit" + QByteArray::number(50 + k);
      QCOMPARE(Child<QLineEdit>(&window, speed.constData())->palette().color(QPalette::Base), expected);
      QCOMPARE(Child<QLineEdit>(&window, advance.constData())->palette().color(QPalette::Base), expected);
    }
  }

  // What zelmo-cli keeps after a Read too: the unit's own bytes in the
  // history, the same bytes in order in the editor.
  // A gauge that moves at every tick must not flush to the display on its
  // own: it is painted with the rest of the window, and not when it stands still.
  void gaugePaintsWithTheWindowOnlyWhenItMoves() {
    QWidget top;
    top.resize(240, 40);
    auto* gauge = new Gauge(QColor(255, 0, 255), &top);
    gauge->setGeometry(10, 10, 212, 17);
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    QTest::qWait(20);
    const PaintCounter counter(gauge);
    gauge->setPosition(100, 40);
    QCOMPARE(counter.paints, 0);
    QCOMPARE(gauge->value(), 40);
    QCOMPARE(gauge->maximum(), 100);
    QTRY_COMPARE(counter.paints, 1);
    gauge->setPosition(100, 40);
    QTest::qWait(30);
    QCOMPARE(counter.paints, 1);
    gauge->setPosition(50, 40);
    QCOMPARE(counter.paints, 1);
    QTRY_COMPARE(counter.paints, 2);
    QCOMPARE(gauge->barWidth(), 210 * 40 / 50);
  }

  void readKeepsTheUnitsOwnBytesInTheHistory() {
    const sim::UnitMemory unordered = sim::Unordered(sim::FactoryMemory());
    Bench bench({.memory = unordered});
    TFormHlav& window = *bench.window;
    bench.runTicks(12);
    window.MenuReadClick();
    bench.runTicks(10);
    QTRY_COMPARE_WITH_TIMEOUT(window.session().engine().transferState(), TransferState::Idle, 3000);
    const QDir history(config_->file(QStringLiteral("history")));
    const QStringList reads = history.entryList({QStringLiteral("*_read.ign")}, QDir::Files);
    QCOMPARE(reads.size(), 1);
    QFile file(history.filePath(reads.first()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    ParameterImage kept;
    QVERIFY(ReadParameterFile(file.readAll().toStdString(), kept));
    QVERIFY(std::ranges::equal(kept.image(), unordered.block));
    const ParameterImage& editor = window.session().image();
    QVERIFY(!std::ranges::equal(editor.image(), kept.image()));
    for (int i = 1; i < kBreakpointCount; ++i) QVERIFY(editor.rpmPoint(i) > editor.rpmPoint(i - 1));
  }

  // Programming is over when the unit has saved, not when it has verified:
  // the saving progress comes after the verify and ends in the success.
  void programShowsTheUnitSavingToTheEnd() {
    Bench bench;
    TFormHlav& window = *bench.window;
    bench.runTicks(12);
    auto* message = Child<QLabel>(&window, "LabelHlaseni");
    window.MenuProgramClick();
    QStringList seen;
    const auto savedAndDone = [&seen] {
      const qsizetype saving = seen.lastIndexOf(QStringLiteral("Saving:"));
      return saving >= 0 && seen.last() == QStringLiteral("Programing: OK") && saving < seen.size() - 1;
    };
    for (int i = 0; i < 120 && !savedAndDone(); ++i) {
      bench.runTicks(1);
      if (seen.isEmpty() || seen.last() != message->text()) seen.append(message->text());
    }
    QVERIFY2(savedAndDone(), qPrintable(seen.join(QLatin1Char('|'))));
    QCOMPARE(bench.unit.memory().programmingCount, 1);
  }

  // A unit that stores but echoes wrongly saves after every store: its saving
  // progress must not cover the failure, which would read as a success.
  void failedProgramKeepsItsErrorOverTheSaving() {
    sim::UnitOptions badEchoes;
    badEchoes.faults.badEchoes = 20;
    Bench bench({.unit = badEchoes});
    TFormHlav& window = *bench.window;
    bench.runTicks(12);
    auto* message = Child<QLabel>(&window, "LabelHlaseni");
    window.MenuProgramClick();
    QTRY_COMPARE_WITH_TIMEOUT(message->text(), QStringLiteral("Program error!"), 3000);
    // About 3 s: the unit's countdown of 110 steps is well under way.
    QStringList seen;
    for (int i = 0; i < 55; ++i) {
      bench.runTicks(1);
      if (seen.isEmpty() || seen.last() != message->text()) seen.append(message->text());
      QVERIFY2(!message->isHidden(), qPrintable(seen.join(QLatin1Char('|'))));
    }
    QCOMPARE(seen, QStringList{QStringLiteral("Program error!")});
    QCOMPARE(message->palette().color(QPalette::Window), QColor(255, 0, 0));
    QVERIFY(!window.session().engine().display().saving);
  }

  // Unplugged, nothing of the unit that is gone passes for live; the values
  // come back with its first frame. Nor is what it held known any more.
  void unpluggedUnitShowsNoLiveValuesAndNoSign() {
    Bench bench;
    TFormHlav& window = *bench.window;
    auto* rpm = Child<QLabel>(&window, "LabelRpm");
    auto* pickup = Child<QLabel>(&window, "LabelMonSnimac1");
    auto* gauge = Child<QProgressBar>(&window, "CGaugeRpm");
    auto* sign = Child<QLabel>(&window, "LabelNotProgrammed");
    const CurveGraph& graph = window.findChild<CurveWidget*>(QStringLiteral("GrafAdv"))->graph();
    const auto limeFields = [&window] {
      int lime = 0;
      for (int k = 0; k < kBreakpointCount; ++k) {
        const QByteArray speed = "EditRpmAdv" + QByteArray::number(k + 1);
        if (Child<QLineEdit>(&window, speed.constData())->palette().color(QPalette::Base) == QColor(0, 255, 0)) ++lime;
      }
      return lime;
    };
    bench.runTicks(12);
    window.MenuReadClick();
    QTRY_COMPARE_WITH_TIMEOUT(window.session().engine().transferState(), TransferState::Idle, 3000);
    Child<QLineEdit>(&window, "Edit53")->setText(QStringLiteral("41"));
    window.MenuVerifyClick();  // fails: the unit is now known to hold something else
    QTRY_COMPARE_WITH_TIMEOUT(window.session().engine().transferState(), TransferState::Idle, 3000);
    // The simulated engine runs up from idle: live values, a marked breakpoint, a live line.
    QTRY_VERIFY_WITH_TIMEOUT(limeFields() == 1 && graph.lastLiveRpm > 0, 3000);
    QVERIFY(!rpm->text().contains(QStringLiteral("---")));
    QVERIFY(gauge->value() > 0);
    QVERIFY(!sign->isHidden());

    bench.link.unplug();
    QTRY_VERIFY_WITH_TIMEOUT(!Child<QLabel>(&window, "LabelSpojeni")->isHidden(), 3000);
    bench.runTicks(2);
    QCOMPARE(rpm->text(), QStringLiteral("RPM = ---"));
    QCOMPARE(Child<QLabel>(&window, "LabelNapeti")->text(), QStringLiteral("U = --- [V]"));
    QCOMPARE(Child<QLabel>(&window, "LabelAdvance")->text(), QStringLiteral("Advance= --- [°]"));
    QCOMPARE(pickup->text(), QStringLiteral("Pick-up (CPS) 1 = ---"));
    QVERIFY(!pickup->autoFillBackground());  // no green "is running"
    QCOMPARE(gauge->value(), 0);
    QCOMPARE(limeFields(), 0);
    QCOMPARE(graph.lastLiveRpm, 0);
    QVERIFY(sign->isHidden());

    // The printout shows what the window shows.
    window.setPrintAppearance(true);
    QCOMPARE(rpm->text(), QStringLiteral("RPM = ---"));
    window.setPrintAppearance(false);

    bench.link.plugIn();
    QTRY_VERIFY_WITH_TIMEOUT(Child<QLabel>(&window, "LabelSpojeni")->isHidden(), 5000);
    bench.runTicks(1);
    QVERIFY(!rpm->text().contains(QStringLiteral("---")));
    QTRY_VERIFY_WITH_TIMEOUT(limeFields() == 1 && graph.lastLiveRpm > 0, 3000);
  }

  void silentUnitShowsNoConnection() {
    sim::UnitOptions silent;
    silent.faults.silent = true;
    Bench bench({.unit = silent});
    bench.runTicks(25);
    QVERIFY(!Child<QLabel>(bench.window.get(), "LabelSpojeni")->isHidden());
    QCOMPARE(Child<QLabel>(bench.window.get(), "LabelSpojeni")->text(), QStringLiteral("No Connection"));
  }

  void comMenuMovesTheCheckMarkAndTheLabel() {
    sim::SimLinkOptions onPortOne;
    onPortOne.unitPort = 1;
    Bench bench({.link = onPortOne});
    TFormHlav& window = *bench.window;
    QMenu* com = Child<QMenu>(&window, "MenuCom");
    QCOMPARE(com->actions().size(), 21);
    QVERIFY(com->actions().at(0)->text().startsWith(QStringLiteral("Com 1")));
    QCOMPARE(com->actions().at(20)->text(), QStringLiteral("Com Auto"));
    QTRY_VERIFY(com->actions().at(0)->isChecked());  // once the port opened in the first event pass

    QString message;
    AnswerMessageBox(QMessageBox::Ok, &message);
    com->actions().at(4)->trigger();
    QVERIFY2(message.startsWith(QStringLiteral("Com opening error!")), qPrintable(message));
    QVERIFY(com->actions().at(4)->isChecked());
    QVERIFY(!com->actions().at(0)->isChecked());
    QVERIFY(Child<QLabel>(&window, "LabelCom")->text().startsWith(QStringLiteral("COM= COM5")));
    QCOMPARE(window.session().choices().selectedComIndex, 4);

    // The automatic choice is silent about ports that fail.
    com->actions().at(20)->trigger();
    QVERIFY(com->actions().at(20)->isChecked());
    QVERIFY(!com->actions().at(4)->isChecked());
  }

  void programThenReadThroughTheWindow() {
    Bench bench;
    TFormHlav& window = *bench.window;
    bench.runTicks(3);
    Child<QLineEdit>(&window, "Edit53")->setText(QStringLiteral("41"));  // taken in by Program
    window.MenuProgramClick();
    QCOMPARE(window.session().engine().transferState(), TransferState::Program);
    auto* message = Child<QLabel>(&window, "LabelHlaseni");
    QVERIFY(!message->isHidden());
    QCOMPARE(message->text(), QStringLiteral("Program device:"));
    QVERIFY(!Child<QProgressBar>(&window, "CGaugeProgram")->isHidden());
    bench.runTicks(10);
    QTRY_COMPARE_WITH_TIMEOUT(window.session().engine().transferState(), TransferState::Idle, 3000);
    QCOMPARE(bench.unit.memory().block[field::kAdvance + 3], 41);
    QTRY_VERIFY_WITH_TIMEOUT(message->text().endsWith(QStringLiteral(": OK")), 3000);

    // Type into the editor, then read the unit back into it.
    Child<QLineEdit>(&window, "Edit53")->setText(QStringLiteral("12"));
    window.MenuReadClick();
    QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       "));
    bench.runTicks(10);
    QTRY_COMPARE_WITH_TIMEOUT(window.session().engine().transferState(), TransferState::Idle, 3000);
    QCOMPARE(window.session().image().advance(3), 41);
    QCOMPARE(Child<QLineEdit>(&window, "Edit53")->text(), QStringLiteral("41"));
    QVERIFY(!Child<QLabel>(&window, "LabelVerze1")->text().isEmpty());
    // Neither programming nor reading records an undo step.
    QVERIFY(!window.session().canUndo());
    QVERIFY(!Child<QAction>(&window, "MenuZpet")->isEnabled());
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::DeviceTest)
#include "device_test.moc"
