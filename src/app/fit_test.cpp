// SPDX-License-Identifier: GPL-3.0-or-later
// The window on screens smaller than its design: it opens inside the
// available area, the designed layout scrolls below a tool row, menu bar and
// status bar that stay in view, and every control can be reached. The tests
// run on what a 1366 x 768 screen at a scale of 1.5 leaves (fit_screen.json),
// lower than the design.
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include "app/client_area.h"
#include "app/test_support.h"

namespace zelmo {

using test::Bench;
using test::Child;
using test::ConfigFolder;

namespace {

QRect InWindow(const QWidget* widget) { return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()); }

QScrollArea* Scroll(QWidget* window) { return Child<QScrollArea>(window, "ClientScroll"); }

// The part of the window where the designed controls can be seen.
QRect Viewport(QWidget* window) { return InWindow(Scroll(window)->viewport()); }

// The window's inside when it shows the whole design.
QSize FullSize(const TFormHlav& window) {
  return {kDesignedWidth, window.menuBar()->sizeHint().height() + kDesignedHeight + window.statusBar()->height()};
}

void VerifyInside(const QRect& frame, const QRect& area) {
  QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4 outside %5,%6 %7x%8")
                                                .arg(frame.x())
                                                .arg(frame.y())
                                                .arg(frame.width())
                                                .arg(frame.height())
                                                .arg(area.x())
                                                .arg(area.y())
                                                .arg(area.width())
                                                .arg(area.height())));
}

// Every designed control, shown or hidden, that lies in the scrolling part.
QList<QWidget*> DesignedControls(TFormHlav& window) {
  QWidget* design = Child<QWidget>(&window, "DesignedArea");
  return design->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

class FitTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  void screenIsTheSmallLaptop() {
    // Elsewhere every test here would pass or fail for the wrong reason.
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(911, 512));
  }

  void designedAreaEndsRightBelowTheTestLabels() {
    config_->write(QStringLiteral("test_brelot.txt"), "SVC_DISPLAY");
    Bench bench;
    TFormHlav& window = *bench.window;
    int lowest = 0;
    for (const QWidget* control : DesignedControls(window)) lowest = std::max(lowest, control->geometry().bottom());
    QCOMPARE(lowest, Child<QLabel>(&window, "LabelTest4")->geometry().bottom());
    QVERIFY2(kDesignedHeight - 1 - lowest >= 0 && kDesignedHeight - 1 - lowest <= 6,
             qPrintable(QString::number(lowest)));

    // Large enough, the window shows it all without scroll bars, the status
    // bar right under the test labels.
    window.setMinimumSize(0, 0);
    window.resize(FullSize(window));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!Scroll(&window)->verticalScrollBar()->isVisible());
    QVERIFY(!Scroll(&window)->horizontalScrollBar()->isVisible());
    const QRect labels = InWindow(Child<QLabel>(&window, "LabelTest4"));
    const int band = window.statusBar()->geometry().top() - labels.bottom() - 1;
    QVERIFY2(band >= 0 && band <= 6, qPrintable(QString::number(band)));
    // Not scrolled, every control sits at its designed place in the client area.
    const int top = window.menuBar()->height();
    QCOMPARE(InWindow(Child<QWidget>(&window, "GrafAdv")).topLeft(), QPoint(0, 495 + top));
    QCOMPARE(InWindow(Child<QGroupBox>(&window, "GroupBox6")).topLeft(), QPoint(5, 48 + top));
    QCOMPARE(InWindow(Child<QGroupBox>(&window, "GroupBox5")).topLeft(), QPoint(6, top));
    QCOMPARE(InWindow(Child<QLabel>(&window, "LabelSpojeni")).topLeft(), QPoint(440, 9 + top));
  }

  void firstStartOpensInsideTheAvailableArea() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    VerifyInside(window.frameGeometry(), area);
    QCOMPARE(window.width(), kDesignedWidth);
    QVERIFY2(window.height() < FullSize(window).height(), qPrintable(QString::number(window.height())));
    // Centred across; from the top down, as high as the area lets it be.
    QVERIFY(qAbs(window.frameGeometry().center().x() - area.center().x()) <= 8);
    QVERIFY(Scroll(&window)->verticalScrollBar()->isVisible());
    VerifyInside(InWindow(window.statusBar()), window.rect());
    QVERIFY(window.statusBar()->isVisible());
  }

  void storedPlaceAndSizeAreBroughtInside() {
    config_->write(QStringLiteral("Zelmo_TCI.ini"),
                   "[FORM_HLAV]\r\nLeft=-9000\r\nTop=5000\r\nWidth=3000\r\nHeight=2000\r\n");
    {
      Bench bench;
      VerifyInside(QRect(bench.window->pos(), bench.window->size()),
                   QGuiApplication::primaryScreen()->availableGeometry());
      // Wider than the design would show nothing but background.
      QCOMPARE(bench.window->width(), kDesignedWidth);
    }
    // The height that left an empty band under the design: the band is gone.
    config_->write(QStringLiteral("Zelmo_TCI.ini"), "[FORM_HLAV]\r\nLeft=20\r\nTop=0\r\nWidth=700\r\nHeight=400\r\n");
    Bench bench;
    QCOMPARE(bench.window->pos(), QPoint(20, 0));
    QCOMPARE(bench.window->size(), QSize(700, 400));
  }

  void smallWindowReachesEveryControlByScrolling() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(100, 100);
    QCOMPARE(window.size(), window.minimumSize());
    QVERIFY(window.minimumWidth() < 500 && window.minimumHeight() < 400);
    QTest::qWait(20);
    QScrollArea* scroll = Scroll(&window);
    QVERIFY(scroll->verticalScrollBar()->isVisible());
    QVERIFY(scroll->horizontalScrollBar()->isVisible());

    const QRect view = Viewport(&window);
    for (QWidget* control : DesignedControls(window)) {
      if (control->isHidden()) continue;
      // The scroll range reaches the control's far corner...
      const QRect place = control->geometry().translated(0, -kToolRowHeight);
      QVERIFY2(place.right() < scroll->horizontalScrollBar()->maximum() + view.width(),
               qPrintable(control->objectName()));
      QVERIFY2(place.bottom() < scroll->verticalScrollBar()->maximum() + view.height(),
               qPrintable(control->objectName()));
      // ...and one that fits the view can be seen whole.
      if (place.width() > view.width() || place.height() > view.height()) continue;
      scroll->ensureWidgetVisible(control, 0, 0);
      QVERIFY2(view.contains(InWindow(control)), qPrintable(control->objectName()));
    }
    // Scrolled to the far end, the menu, the Read button, "No Connection" and
    // the status bar are still in view.
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    QVERIFY(InWindow(Child<QPushButton>(&window, "Button1")).top() >= window.menuBar()->geometry().bottom());
    QVERIFY(InWindow(Child<QPushButton>(&window, "Button1")).bottom() < Viewport(&window).top());
    VerifyInside(InWindow(window.statusBar()), window.rect());
    QVERIFY(window.menuBar()->isVisible());
    // The tool row follows the sideways scroll, so its right end can be reached.
    QVERIFY(InWindow(Child<QLabel>(&window, "LabelSpojeni")).right() < window.width());
    scroll->horizontalScrollBar()->setValue(0);
    QCOMPARE(InWindow(Child<QPushButton>(&window, "Button1")).left(), 6 + 190);
  }

  void focusGoingToAFieldOutOfViewScrollsItIn() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.resize(window.minimumSize());
    QTest::qWait(20);
    auto* field = Child<QLineEdit>(&window, "EditRpmAdv10");
    QVERIFY(!Viewport(&window).contains(InWindow(field)));
    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(Viewport(&window).contains(InWindow(field)));
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::FitTest)
#include "fit_test.moc"
