// SPDX-License-Identifier: GPL-3.0-or-later
#include "curve/curve_widget.h"

#include <QStatusTipEvent>
#include <QtTest>
#include <vector>

#include "core/curve/curve_test_support.h"
#include "curve/painting_test_support.h"

namespace zelmo {
namespace {

class WindowHost final : public CurveDocument {
 public:
  ParameterImage theImage = curve_test::ExampleImage();
  OrderingMemory memory;
  StoredChoices choices;
  int refreshes = 0;
  int pushes = 0;

  ParameterImage& image() override { return theImage; }
  OrderingMemory& orderingMemory() override { return memory; }
  StoredChoices& storedChoices() override { return choices; }
  void dragStepped() override { ++refreshes; }
  void dragReleased() override { ++pushes; }
};

// Stands in for the main window: collects the status tips that reach it.
class StatusCatcher : public QWidget {
 public:
  QStringList tips;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::StatusTip) {
      tips.append(static_cast<QStatusTipEvent*>(event)->tip());
      return true;
    }
    return QWidget::event(event);
  }
};

}  // namespace

class CurveWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    host = std::make_unique<WindowHost>();
    window = std::make_unique<StatusCatcher>();
    window->resize(300, 200);
    widget = new CurveWidget(*host, window.get());
    widget->move(10, 10);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }

  void cleanup() {
    window.reset();
    host.reset();
  }

  // First, while no test of this process has started Qt's painting threads:
  // the graph, drawn at every tick, is painted on this thread at any scale,
  // so no worker threads stay behind it.
  void paintsWithoutWorkerThreads() {
    QCOMPARE(test::PaintingThreads(), 0);
    QVERIFY(widget->tick(5000));
    widget->repaint();
    // As in the window, where the graph's share of a paint is seldom a rectangle.
    const QRegion unevenPart = QRegion(0, 0, 120, 122) + QRegion(100, 30, 102, 92);
    widget->repaint(unevenPart);
    // A moving live line repaints two columns: two spans in every row.
    QVERIFY(widget->tick(3000));
    widget->repaint(QRegion(widget->graph().x(3000), 5, 1, 103) + QRegion(widget->graph().x(5000), 5, 1, 103));
    for (const qreal scale : {1.0, 1.5, 2.0, 3.0}) {
      QImage image((QSizeF(widget->size()) * scale).toSize(), QImage::Format_RGB32);
      image.setDevicePixelRatio(scale);
      widget->render(&image, QPoint(), unevenPart);
      QCOMPARE(image.pixel(qRound(widget->graph().x(3000) * scale), qRound(60 * scale)), qRgb(0, 255, 0));
    }
    QCOMPARE(test::PaintingThreads(), 0);
  }

  // On paper the bands' edges would show: a printout gets the graph in one piece.
  void printoutGetsTheGraphInOnePiece() {
    QVERIFY(widget->tick(5000));
    test::PictureCounter printer(widget->size() * 4);
    QPainter painter(&printer);
    painter.scale(4, 4);
    widget->render(&painter);
    painter.end();
    QCOMPARE(printer.pictures(), 1);
  }

  void isTheGraphControl() {
    QCOMPARE(widget->objectName(), QStringLiteral("GrafAdv"));
    QCOMPARE(widget->size(), QSize(202, 122));
    QVERIFY(widget->hasMouseTracking());
    QVERIFY(widget->toolTip().isEmpty());
  }

  void overlaysLeaveTheGraphAloneUntilAskedFor() {
    QVERIFY(widget->tick(0));
    const auto shown = [this] { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QImage plain = widget->bitmap().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown(), plain);
    widget->setTrail({});
    widget->setComparedCurve(std::nullopt);
    QCOMPARE(shown(), plain);

    // The newest operating point: a blue dot at its place on the graph.
    const CurveGraph& g = widget->graph();
    widget->setTrail({TrailDot{3000, 20, 4.0F, 1.0F}});
    const QImage withTrail = shown();
    QCOMPARE(QColor(withTrail.pixel(g.x(3000), g.y(20))), QColor(0, 90, 255));
    widget->setTrail({});
    QCOMPARE(shown(), plain);

    // A compared file 10 degrees below the editor: its grey curve appears.
    ParameterImage other = host->theImage;
    for (int p = 0; p < kBreakpointCount; ++p)
      SetUserValue(other, Field::Advance, std::max(0, UserValue(other, Field::Advance, p) - 10), p);
    widget->setComparedCurve(other);
    const QImage compared = shown();
    int grey = 0;
    for (int y = 0; y < compared.height(); ++y) {
      for (int x = 0; x < compared.width(); ++x) grey += compared.pixel(x, y) != plain.pixel(x, y);
    }
    QVERIFY2(grey > 100, qPrintable(QString::number(grey)));
    widget->setComparedCurve(std::nullopt);
    QCOMPARE(shown(), plain);
  }

  void drawsOnlyInTheTickAndOnlyWhenAsked() {
    QVERIFY(widget->bitmap().isNull());
    QVERIFY(widget->tick(0));
    QCOMPARE(widget->bitmap().size(), QSize(202, 122));
    QCOMPARE(widget->bitmap().pixel(34, 61), qRgb(255, 255, 0));
    const qint64 drawn = widget->bitmap().cacheKey();
    QVERIFY(!widget->tick(0));
    widget->repaint();
    QCOMPARE(widget->bitmap().cacheKey(), drawn);
    QVERIFY(widget->tick(7000));  // a new live speed
    QCOMPARE(widget->bitmap().pixel(widget->graph().x(7000), 100), qRgb(0, 255, 0));
    widget->request(GraphRescale);
    widget->request(GraphRedraw);
    QVERIFY(widget->tick(7000));
    QVERIFY(!widget->tick(7000));
  }

  // While the engine runs, the live line moves at every tick and only its
  // old and new columns are drawn again. The bitmap is what a fresh drawing
  // gives, and the screen shows it, the compared curve over it included.
  void movingLiveLineShowsAsAFreshDrawing() {
    ParameterImage other = host->theImage;
    SetUserValue(other, Field::BaseAdvance, 2);
    widget->setComparedCurve(other);
    QVERIFY(widget->tick(7000));
    const auto onScreen = [this] {
      const QPoint at = widget->mapTo(window.get(), QPoint(0, 0));
      return window->screen()
          ->grabWindow(window->winId(), at.x(), at.y(), widget->width(), widget->height())
          .toImage()
          .convertToFormat(QImage::Format_RGB32);
    };
    for (const int live : {3000, 3010, 0, 12000, 12000, 5500}) {
      widget->tick(live);
      CurveWidget fresh(*host);
      QVERIFY(fresh.tick(live));
      QCOMPARE(widget->bitmap(), fresh.bitmap());
      QTRY_COMPARE(onScreen(), widget->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
    // A new font shows at once, all of it.
    QFont larger = widget->font();
    larger.setPixelSize(14);
    widget->setFont(larger);
    CurveWidget fresh(*host);
    fresh.setFont(larger);
    QVERIFY(fresh.tick(5500));
    QCOMPARE(widget->bitmap(), fresh.bitmap());
    QTRY_COMPARE(onScreen(), widget->grab().toImage().convertToFormat(QImage::Format_RGB32));
  }

  void hoverSetsTheHintAndTheFocus() {
    widget->tick(0);
    std::vector<int> focused;
    connect(widget, &CurveWidget::focusRequested, this, [&focused](int point) { focused.push_back(point); });
    QTest::mouseMove(widget, QPoint(53, 52));
    QCOMPARE(widget->graph().hovered, 2);
    QCOMPARE(focused, std::vector<int>{2});
    QVERIFY(widget->hint().isEmpty());  // not before the tick has drawn
    QVERIFY(widget->tick(0));
    QCOMPARE(widget->hint(), QString::fromUtf8("  rpm=3000; advance=24\u00b0"));
    QCOMPARE(widget->statusTip(), widget->hint());
    QVERIFY(window->tips.contains(widget->hint()));
    QVERIFY(widget->toolTip().isEmpty());

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
    QCOMPARE(widget->graph().hovered, NoPoint);
    QVERIFY(widget->tick(0));
    QVERIFY(widget->hint().isEmpty());
  }

  void dragChangesTheImageAndPushesOnce() {
    widget->tick(0);
    const QImage before = widget->bitmap();
    QTest::mouseMove(widget, QPoint(53, 52));
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(53, 52));
    QCOMPARE(widget->graph().grabbed, 2);
    QTest::mouseMove(widget, QPoint(53, 40));
    QTest::mouseMove(widget, QPoint(53, 30));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(53, 30));
    QCOMPARE(host->theImage.advance(2), 34);
    QCOMPARE(host->refreshes, 2);
    QCOMPARE(host->pushes, 1);
    QCOMPARE(widget->bitmap(), before);  // nothing drawn outside the tick
    QVERIFY(widget->tick(0));
    QVERIFY(widget->bitmap() != before);
  }

  // Shift is read at the ticks only while a breakpoint is hovered or grabbed,
  // and at once when one comes under the pointer.
  void shiftIsReadWhereItMatters() {
    widget->tick(0);
    QTest::keyPress(window->windowHandle(), Qt::Key_Shift, Qt::ShiftModifier);
    QVERIFY(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier));
    QVERIFY(!widget->tick(0));  // nothing to frame: no reading, no drawing
    QCOMPARE(widget->graph().allMode, 0);

    // Onto breakpoint 3 and dragged up before any tick: every advance moves.
    const ParameterImage before = host->theImage;
    // Through the window, where the events' modifiers become the keyboard
    // state that this platform reports.
    QWindow* shown = window->windowHandle();
    const auto at = [this](int x, int y) { return widget->mapTo(window.get(), QPoint(x, y)); };
    QTest::mouseEvent(QTest::MouseMove, shown, Qt::NoButton, Qt::ShiftModifier, at(5, 5));
    QCOMPARE(widget->graph().hovered, NoPoint);
    QTest::mouseEvent(QTest::MouseMove, shown, Qt::NoButton, Qt::ShiftModifier, at(53, 52));
    QCOMPARE(widget->graph().hovered, 2);
    QCOMPARE(widget->graph().allMode, 1);
    QTest::mousePress(shown, Qt::LeftButton, Qt::ShiftModifier, at(53, 52));
    QTest::mouseEvent(QTest::MouseMove, shown, Qt::NoButton, Qt::ShiftModifier, at(53, 40));
    QTest::mouseRelease(shown, Qt::LeftButton, Qt::ShiftModifier, at(53, 40));
    for (int p = 0; p < kBreakpointCount; ++p) QVERIFY(host->theImage.advance(p) > before.advance(p));

    // Released over the point: the next tick sees it and draws.
    QTest::keyRelease(shown, Qt::Key_Shift);
    QVERIFY(widget->tick(0));
    QCOMPARE(widget->graph().allMode, 0);
  }

  void otherButtonsNeitherGrabNorRelease() {
    widget->tick(0);
    QTest::mousePress(widget, Qt::RightButton, {}, QPoint(53, 52));
    QCOMPARE(widget->graph().grabbed, NoPoint);
    QTest::mouseRelease(widget, Qt::RightButton, {}, QPoint(53, 52));
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(53, 52));
    QTest::mouseRelease(widget, Qt::RightButton, {}, QPoint(53, 52));
    QCOMPARE(widget->graph().grabbed, 2);
    QCOMPARE(host->pushes, 0);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(53, 52));
    QCOMPARE(host->pushes, 1);
  }

  void pointerFollowsThePointWhenTheAxisGrows() {
    widget->tick(0);
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(120, 16));
    QCOMPARE(widget->graph().grabbed, 9);
    QTest::mouseMove(widget, QPoint(200, 16));  // 18 300 rpm: the axis grows to 20 000
    QCOMPARE(host->theImage.rpmPoint(9), 183);
    QCOMPARE(widget->graph().rpmMax, 20000);
    QCoreApplication::processEvents();
    QCOMPARE(QCursor::pos(), widget->mapToGlobal(QPoint(widget->graph().x(18300), 16)));
    // This platform sends no move for the program's pointer move, so the next
    // real move must not be swallowed.
    QCOMPARE(widget->graph().warpPending, 0);
    QTest::mouseMove(widget, QPoint(190, 16));
    QVERIFY(host->theImage.rpmPoint(9) != 183);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(190, 16));
    QCOMPARE(host->pushes, 1);
  }

 private:
  std::unique_ptr<WindowHost> host;
  std::unique_ptr<StatusCatcher> window;
  CurveWidget* widget = nullptr;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::CurveWidgetTest)
#include "curve_widget_test.moc"
