// The window against the simulated unit on an in-process link: connection
// display, the Com menu, program and read.
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTest>

#include "app/test_support.h"

namespace zelmo {

using test::AnswerMessageBox;
using test::Bench;
using test::Child;
using test::ConfigFolder;

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
      const bool marked = !window.engine().belowCurve() && window.engine().nearestPoint() == k;
      const QColor expected = marked ? QColor(0, 255, 0) : QColor(255, 255, 255);
      const QByteArray speed = "EditRpmAdv" + QByteArray::number(k + 1);
      const QByteArray advance = "Edit" + QByteArray::number(50 + k);
      QCOMPARE(Child<QLineEdit>(&window, speed.constData())->palette().color(QPalette::Base), expected);
      QCOMPARE(Child<QLineEdit>(&window, advance.constData())->palette().color(QPalette::Base), expected);
    }
  }

  void silentUnitShowsNoConnection() {
    sim::UnitOptions silent;
    silent.faults.silent = true;
    Bench bench({}, silent);
    bench.runTicks(25);
    QVERIFY(!Child<QLabel>(bench.window.get(), "LabelSpojeni")->isHidden());
    QCOMPARE(Child<QLabel>(bench.window.get(), "LabelSpojeni")->text(), QStringLiteral("No Connection"));
  }

  void comMenuMovesTheCheckMarkAndTheLabel() {
    sim::SimLinkOptions onPortOne;
    onPortOne.unitPort = 1;
    Bench bench({}, {}, onPortOne);
    TFormHlav& window = *bench.window;
    QMenu* com = Child<QMenu>(&window, "MenuCom");
    QCOMPARE(com->actions().size(), 21);
    QVERIFY(com->actions().at(0)->text().startsWith(QStringLiteral("Com 1")));
    QCOMPARE(com->actions().at(20)->text(), QStringLiteral("Com Auto"));
    QVERIFY(com->actions().at(0)->isChecked());

    QString message;
    AnswerMessageBox(QMessageBox::Ok, &message);
    com->actions().at(4)->trigger();
    QVERIFY2(message.startsWith(QStringLiteral("Com opening error!")), qPrintable(message));
    QVERIFY(com->actions().at(4)->isChecked());
    QVERIFY(!com->actions().at(0)->isChecked());
    QVERIFY(Child<QLabel>(&window, "LabelCom")->text().startsWith(QStringLiteral("COM= COM5")));
    QCOMPARE(window.choices().selectedComIndex, 4);

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
    QCOMPARE(window.engine().transferState(), TransferState::Program);
    auto* message = Child<QLabel>(&window, "LabelHlaseni");
    QVERIFY(!message->isHidden());
    QCOMPARE(message->text(), QStringLiteral("Program device:"));
    QVERIFY(!Child<QProgressBar>(&window, "CGaugeProgram")->isHidden());
    bench.runTicks(10);
    QTRY_COMPARE_WITH_TIMEOUT(window.engine().transferState(), TransferState::Idle, 3000);
    QCOMPARE(bench.unit.memory().block[field::kAdvance + 3], 41);
    QTRY_VERIFY_WITH_TIMEOUT(message->text().endsWith(QStringLiteral(": OK")), 3000);

    // Change the editor, then read the unit back into it.
    Child<QLineEdit>(&window, "Edit53")->setText(QStringLiteral("12"));
    window.ControlsToImage();
    window.MenuReadClick();
    QCOMPARE(window.windowTitle(), QStringLiteral("  Zelmo_TCI       "));
    bench.runTicks(10);
    QTRY_COMPARE_WITH_TIMEOUT(window.engine().transferState(), TransferState::Idle, 3000);
    QCOMPARE(window.parameterImage().advance(3), 41);
    QCOMPARE(Child<QLineEdit>(&window, "Edit53")->text(), QStringLiteral("41"));
    QVERIFY(!Child<QLabel>(&window, "LabelVerze1")->text().isEmpty());
    // Reading records no undo step.
    QCOMPARE(window.undoHistory().current(), 0);
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::DeviceTest)
#include "device_test.moc"
