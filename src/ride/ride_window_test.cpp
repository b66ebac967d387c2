// SPDX-License-Identifier: GPL-3.0-or-later
#include "ride/ride_window.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "core/device/monitor.h"
#include "core/model/presets.h"
#include "ride/ride_export.h"

namespace zelmo {
namespace {

// Ten minutes at three frames a second: the engine revs up and down, one
// over-rev spike, the side stand switch toggling.
RideLog SampleRide() {
  std::string text = MonitorCsvHeader() + "\n";
  for (int i = 0; i < 1800; ++i) {
    MonitorData d;
    d.engineRpm = static_cast<std::uint16_t>(i == 900 ? 12000 : 3000 + 2500 * std::sin(i / 60.0) + 2500);
    d.currentAdvance = static_cast<std::uint8_t>(10 + d.engineRpm / 400);
    d.supplyRaw = static_cast<std::uint16_t>(1900 + i % 50);
    d.sideStandOff = static_cast<std::uint8_t>((i / 300) % 2);
    d.pickup1Running = 1;
    text += MonitorCsvRow(d, 333LL * i) + "\n";
  }
  return ParseRideLog(text).log;
}

bool HasColour(const QImage& image, QRgb colour) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    }
  }
  return false;
}

}  // namespace

class RideWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void wheelZoomsAroundThePointerDragPansDoubleClickShowsAll() {
    RideWindow window(SampleRide(), QStringLiteral("/tmp/ride.csv"), NewParameters(0), kEnglish);
    window.resize(1100, 640);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    RidePlotWidget* plot = window.plot();
    const TimeView whole = plot->view();
    QCOMPARE(whole.fromMs, 0);

    const QPointF at(plot->width() * 0.25, plot->height() / 2.0);
    const RideTimeAxis before = TimeAxisOf(QRectF(plot->rect()), plot->view(), plot->font(), kEnglish);
    const std::int64_t under = before.timeAt(at.x());
    QWheelEvent wheel(at, plot->mapToGlobal(at), QPoint(), QPoint(0, 120 * 3), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    QVERIFY(plot->view().span() < whole.span());
    const RideTimeAxis after = TimeAxisOf(QRectF(plot->rect()), plot->view(), plot->font(), kEnglish);
    QVERIFY(std::llabs(after.timeAt(at.x()) - under) <= plot->view().span() / 200);

    const TimeView zoomed = plot->view();
    QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, QPoint(600, 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(500, 200), plot->mapToGlobal(QPointF(500, 200)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, QPoint(500, 200));
    QVERIFY(plot->view().fromMs > zoomed.fromMs);  // dragged left: later times come in
    QCOMPARE(plot->view().span(), zoomed.span());

    QTest::mouseDClick(plot, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    QCOMPARE(plot->view(), whole);
  }

  void cursorShowsTheReadOutOfThatMoment() {
    RideWindow window(SampleRide(), QStringLiteral("ride.csv"), NewParameters(0), kGerman);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    RidePlotWidget* plot = window.plot();
    QVERIFY(!plot->scene().cursorMs);
    const QPointF at(plot->width() / 2.0, 100);
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    QVERIFY(plot->scene().cursorMs.has_value());
    const QImage shot = plot->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(HasColour(shot, qRgb(255, 140, 0)));  // the cursor line and the read-out's frame
    QCOMPARE(window.windowTitle(), QStringLiteral("Aufzeichnung - ride.csv"));
  }

  void exportsAPngAndAPdfWithRealText() {
    QTemporaryDir dir;
    RideWindow window(SampleRide(), QStringLiteral("ride.csv"), NewParameters(0), kEnglish);
    const QString png = dir.filePath(QStringLiteral("view.png"));
    QVERIFY(window.exportTo(png));
    QImage image(png);
    QCOMPARE(image.size(), kRideExportSize);
    QVERIFY(HasColour(image, qRgb(0, 60, 200)));  // the speed line

    const QString pdf = dir.filePath(QStringLiteral("view.PDF"));
    QVERIFY(window.exportTo(pdf));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5).startsWith("%PDF"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
    QProcess text;
    text.start(pdftotext, {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(20000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(words.contains(QStringLiteral("Engine speed [rpm]")), qPrintable(words));
    QVERIFY(words.contains(QStringLiteral("Where the engine ran")));
  }

  void aFailedExportSaysWhichFileAndLeavesNothing() {
    QTemporaryDir dir;
    const RideData data(SampleRide());
    const RideScene scene{&data, data.whole(), std::nullopt, kEnglish};
    QString error;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/view.png"));
    QVERIFY(!ExportRide(missing, scene, NewParameters(0), &error));
    QVERIFY2(error.startsWith(QStringLiteral("Unable to write ") + missing), qPrintable(error));
    QVERIFY(!ExportRide(dir.filePath(QStringLiteral("view.gif")), scene, NewParameters(0), &error));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
  }

  void visitsAreDrawnOverTheEditorsCurve() {
    const RideData data(SampleRide());
    const auto paint = [](const RideVisits& visits) {
      QImage image(400, 300, QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      PaintRideVisits(painter, image.rect(), visits, NewParameters(0), kEnglish);
      return image;
    };
    const QImage curveOnly = paint(RideVisits{});
    const QImage withVisits = paint(data.visits());
    QVERIFY(HasColour(curveOnly, qRgb(255, 0, 0)));  // the curve graph's own red curve
    int dots = 0;
    for (int y = 0; y < curveOnly.height(); ++y) {
      for (int x = 0; x < curveOnly.width(); ++x) dots += curveOnly.pixel(x, y) != withVisits.pixel(x, y);
    }
    QVERIFY2(dots > 200, qPrintable(QString::number(dots)));
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::RideWindowTest)
#include "ride_window_test.moc"
