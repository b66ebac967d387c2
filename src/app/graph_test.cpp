// SPDX-License-Identifier: GPL-3.0-or-later
// The curve graph inside the window: a drag is one undo step, undo and redo
// bring the controls and the graph back, and the release programs the unit
// while "Programming after change" is on.
#include <QTest>

#include "app/test_support.h"
#include "curve/curve_widget.h"

namespace zelmo {

using test::Bench;
using test::Child;
using test::ConfigFolder;

namespace {

// Where breakpoint k stands on the graph as last drawn.
QPoint PointOf(TFormHlav& window, int k) {
  const CurveGraph& graph = window.findChild<CurveWidget*>(QStringLiteral("GrafAdv"))->graph();
  const ParameterImage& image = window.session().image();
  return {graph.x(image.rpmPoint(k) * 100), graph.y(image.advance(k))};
}

void Drag(QWidget* graph, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseMove(graph, from);
  QTest::mousePress(graph, Qt::LeftButton, modifiers, from);
  QTest::mouseMove(graph, (from + to) / 2);
  QTest::mouseMove(graph, to);
  QTest::mouseRelease(graph, Qt::LeftButton, modifiers, to);
}

}  // namespace

class GraphTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  void dragIsOneUndoStepAndUndoRestoresControlsAndGraph() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bench.runTicks(2);
    auto* graph = Child<QWidget>(&window, "GrafAdv");
    QCOMPARE(graph->geometry(), QRect(0, 495, 202, 122));
    QVERIFY(!window.findChild<CurveWidget*>(QStringLiteral("GrafAdv"))->bitmap().isNull());

    const QPoint start = PointOf(window, 4);  // 5 000 rpm, 33°
    Drag(graph, start, start - QPoint(0, 12));
    const int raised = window.session().image().advance(4);
    QVERIFY2(raised > 33, qPrintable(QString::number(raised)));
    QCOMPARE(Child<QLineEdit>(&window, "Edit54")->text(), QString::number(raised));
    QVERIFY(Child<QAction>(&window, "MenuZpet")->isEnabled());

    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().image().advance(4), 33);
    QVERIFY(!Child<QAction>(&window, "MenuZpet")->isEnabled());  // the whole drag was one step
    QCOMPARE(Child<QLineEdit>(&window, "Edit54")->text(), QStringLiteral("33"));
    QVERIFY(window.findChild<CurveWidget*>(QStringLiteral("GrafAdv"))->graph().graphRequest & GraphRescale);
    bench.runTicks(2);
    QCOMPARE(window.findChild<CurveWidget*>(QStringLiteral("GrafAdv"))->graph().graphRequest, 0);
    window.SpeedButtonZnovuClick();
    QCOMPARE(window.session().image().advance(4), raised);
  }

  void releaseProgramsWhileProgrammingAfterChangeIsOn() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bench.runTicks(2);
    Child<QCheckBox>(&window, "CheckBoxProgHned")->setChecked(true);
    auto* graph = Child<QWidget>(&window, "GrafAdv");
    const QPoint start = PointOf(window, 6);
    Drag(graph, start, start + QPoint(0, 15));
    const int lowered = window.session().image().advance(6);
    QVERIFY(lowered < 33);
    QCOMPARE(window.session().engine().transferState(), TransferState::Program);
    bench.runTicks(10);
    QTRY_COMPARE_WITH_TIMEOUT(window.session().engine().transferState(), TransferState::Idle, 3000);
    QCOMPARE(bench.unit.memory().block[field::kAdvance + 6], lowered);

    // Undo programs the restored state too.
    window.SpeedButtonZpetClick();
    QCOMPARE(window.session().engine().transferState(), TransferState::Program);
    bench.runTicks(10);
    QTRY_COMPARE_WITH_TIMEOUT(bench.unit.memory().block[field::kAdvance + 6], std::uint8_t{33}, 3000);
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::GraphTest)
#include "graph_test.moc"
