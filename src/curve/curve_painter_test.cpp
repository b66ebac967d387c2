// SPDX-License-Identifier: GPL-3.0-or-later
#include "curve/curve_painter.h"

#include <QFont>
#include <QImage>
#include <QtTest>

#include "core/curve/curve_graph.h"
#include "core/curve/curve_test_support.h"

namespace zelmo {
namespace {

const QRgb kFace = qRgb(240, 240, 240);
const QRgb kCream = qRgb(255, 251, 240);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kGreen = qRgb(0, 255, 0);

QImage Render(int liveRpm = 0, int hovered = NoPoint) {
  CurveGraph graph;
  graph.hovered = hovered;
  CurveDrawing drawing;
  graph.draw(curve_test::kWidth, curve_test::kHeight, curve_test::ExampleImage(), liveRpm, Rgb{240, 240, 240}, Rgb{},
             drawing);
  QImage image;
  QFont font;
  font.setPixelSize(11);  // the window's font
  DrawCurve(image, drawing, font);
  return image;
}

}  // namespace

class CurvePainterTest : public QObject {
  Q_OBJECT

 private slots:
  void sizeAndFormat() {
    const QImage image = Render();
    QCOMPARE(image.size(), QSize(202, 122));
    QCOMPARE(image.pixel(0, 0), kFace);
    QCOMPARE(image.pixel(201, 121), kFace);
  }

  void fillsLeaveOutRightAndBottomEdge() {
    const QImage image = Render();
    QCOMPARE(image.pixel(100, 6), kCream);
    QCOMPARE(image.pixel(100, 106), kCream);
    QCOMPARE(image.pixel(100, 4), kFace);
    QCOMPARE(image.pixel(167, 100), kCream);
    QCOMPARE(image.pixel(169, 100), kSilver);  // the limiter at 15 000 rpm, x 168 (under a grid line)
    QCOMPARE(image.pixel(191, 100), kSilver);
    QCOMPARE(image.pixel(192, 100), kFace);
  }

  void gridLinesAndTheirEnds() {
    const QImage image = Render();
    for (int gx : {35, 44, 54, 63, 73, 82, 92, 101, 111, 120, 130, 140, 149, 159, 168, 178, 187}) {
      QCOMPARE(image.pixel(gx, 104), kGrey);
      QCOMPARE(image.pixel(gx, 4), kFace);
    }
    QCOMPARE(image.pixel(35, 110), kGrey);  // tick mark below the axis, where no label covers it
    QVERIFY(image.pixel(35, 111) != kGrey);
    for (int gy : {96, 84, 73, 62, 50, 39, 28, 16, 5}) {
      QVERIFY(image.pixel(21, gy) != kGrey);
      if (gy != 84) QCOMPARE(image.pixel(22, gy), kGrey);  // the base marker covers (22, 84)
      if (gy != 16) QCOMPARE(image.pixel(191, gy), kGrey);  // the curve runs level on 16
      QCOMPARE(image.pixel(192, gy), kFace);  // end pixel left out
    }
    QCOMPARE(image.pixel(34, 100), kCream);  // points and grid lines round differently
  }

  void twoPixelAxes() {
    const QImage image = Render();
    QCOMPARE(image.pixel(25, 107), kBlack);
    QCOMPARE(image.pixel(24, 107), kBlack);
    QCOMPARE(image.pixel(25, 108), kBlack);
    QCOMPARE(image.pixel(24, 108), kFace);
    QCOMPARE(image.pixel(191, 107), kBlack);
    QCOMPARE(image.pixel(191, 108), kBlack);
    QCOMPARE(image.pixel(192, 107), kFace);
    QCOMPARE(image.pixel(25, 5), kBlack);  // up to the top of the plot, end pixel left out
    QCOMPARE(image.pixel(24, 5), kBlack);
    QCOMPARE(image.pixel(25, 4), kFace);
    QCOMPARE(image.pixel(24, 50), kBlack);
    QCOMPARE(image.pixel(26, 52), kCream);
  }

  void curveIsTwoPixelsThick() {
    const QImage image = Render();
    QCOMPARE(image.pixel(30, 84), kRed);  // base level, on the 10 degree grid line
    QCOMPARE(image.pixel(30, 83), kRed);
    QCOMPARE(image.pixel(30, 85), kCream);
    QCOMPARE(image.pixel(34, 70), kRed);  // the step up to breakpoint 1
    QCOMPARE(image.pixel(33, 70), kRed);
    QCOMPARE(image.pixel(32, 70), kCream);
    QCOMPARE(image.pixel(150, 16), kRed);  // level beyond breakpoint 10
    QCOMPARE(image.pixel(150, 15), kRed);
    QCOMPARE(image.pixel(150, 17), kCream);
    QCOMPARE(image.pixel(191, 16), kRed);
    QCOMPARE(image.pixel(192, 16), kFace);
  }

  void markersAreRoundedYellowSquaresOutlinedRed() {
    const QImage image = Render();
    // Base point (25, 84): square 22..27 x 81..86.
    QCOMPARE(image.pixel(24, 83), kYellow);
    QCOMPARE(image.pixel(25, 84), kYellow);
    QCOMPARE(image.pixel(22, 82), kRed);
    QCOMPARE(image.pixel(23, 81), kRed);
    QCOMPARE(image.pixel(27, 85), kRed);
    QCOMPARE(image.pixel(26, 86), kRed);
    QCOMPARE(image.pixel(22, 81), kFace);  // rounded corner
    QCOMPARE(image.pixel(27, 81), kCream);
    QCOMPARE(image.pixel(24, 87), kBlack);  // below the marker: the axis again
    // Breakpoint 1 at (34, 61).
    QCOMPARE(image.pixel(34, 61), kYellow);
    QCOMPARE(image.pixel(36, 60), kRed);
    QCOMPARE(image.pixel(31, 58), kCream);
  }

  void hoverOutlineAndLimiterLine() {
    const QImage framed = Render(0, 0);
    QCOMPARE(framed.pixel(29, 56), kRed);
    QCOMPARE(framed.pixel(38, 65), kRed);
    QCOMPARE(framed.pixel(29, 65), kRed);
    QCOMPARE(framed.pixel(38, 56), kRed);
    QCOMPARE(framed.pixel(39, 65), Render().pixel(39, 65));

    const QImage limiter = Render(0, LimiterPoint);
    QCOMPARE(limiter.pixel(168, 45), kRed);
    QCOMPARE(limiter.pixel(169, 45), kRed);
    QCOMPARE(limiter.pixel(170, 45), kSilver);
    QCOMPARE(limiter.pixel(168, 6), kRed);
    QCOMPARE(limiter.pixel(168, 5), kGrey);  // end pixel left out
  }

  void liveSpeedLine() {
    const QImage image = Render(5000);
    QCOMPARE(image.pixel(72, 100), kGreen);
    QCOMPARE(image.pixel(72, 107), kGreen);
    QCOMPARE(image.pixel(72, 6), kGreen);
    QCOMPARE(image.pixel(72, 5), kGrey);
    QCOMPARE(image.pixel(71, 100), kCream);
    QCOMPARE(Render(0).pixel(72, 100), kCream);
  }

  void labelsOnOpaqueBackground() {
    const QImage image = Render();
    // "0k" from (18, 109): some text pixels and nothing but face or text there.
    int dark = 0;
    for (int yy = 109; yy < 122; ++yy) {
      for (int xx = 18; xx < 24; ++xx) {
        if (qGray(image.pixel(xx, yy)) < 100) ++dark;
      }
    }
    QVERIFY(dark > 0);
  }

  // The labels a widget keeps between its drawings give the drawing it would
  // get afresh, through rescales and a change of font.
  void keptLabelsDrawAsFreshOnes() {
    CurveLabels kept;
    QFont small;
    small.setPixelSize(11);
    QFont large;
    large.setPointSize(12);
    large.setBold(true);
    struct Step {
      int limiter;
      int liveRpm;
      const QFont* font;
    };
    for (const Step& step : {Step{150, 0, &small}, Step{250, 4000, &small}, Step{250, 4000, &large},
                             Step{90, 2500, &large}, Step{90, 2500, &small}}) {
      ParameterImage image = curve_test::ExampleImage();
      image.limiter() = static_cast<std::uint8_t>(step.limiter);
      CurveGraph graph;
      graph.request(GraphRescale);
      CurveDrawing drawing;
      graph.draw(curve_test::kWidth, curve_test::kHeight, image, step.liveRpm, Rgb{240, 240, 240}, Rgb{}, drawing);
      QImage fresh;
      DrawCurve(fresh, drawing, *step.font);
      QImage again;
      const QRegion painted = DrawCurve(again, drawing, *step.font, kept);
      QCOMPARE(painted, QRegion(again.rect()));
      QCOMPARE(again, fresh);
    }
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::CurvePainterTest)
#include "curve_painter_test.moc"
