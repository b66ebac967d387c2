// SPDX-License-Identifier: GPL-3.0-or-later
// The style that keeps image-format plugins out of the start: nothing is read
// while a window is built and painted, and what it draws is what the style
// underneath draws.
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

#include "app/fusion_group_box_picture.h"
#include "app/style_without_image_plugins.h"
#include "curve/painting_test_support.h"

namespace zelmo {
namespace {

// Whether any image-format plugin has been loaded into this process.
bool ImagePluginLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return false;
  return maps.readAll().contains("/imageformats/");
}

QImage Pixels(const QIcon& icon) { return icon.pixmap(QSize(16, 16)).toImage(); }

// Group boxes of every kind Fusion tells apart, painted by the given style at
// the given scale, at rows that fall between device pixels at 1.5; only the
// part given, if one is.
QImage GroupBoxes(QStyle* style, qreal scale, const QRegion& part = QRegion()) {
  QWidget page;
  auto* layout = new QVBoxLayout(&page);
  layout->setContentsMargins(5, 7, 5, 5);
  layout->setSpacing(3);
  layout->addWidget(new QGroupBox(&page));
  layout->addWidget(new QGroupBox(QStringLiteral("Pick-up"), &page));
  auto* checkable = new QGroupBox(QStringLiteral("Blocking"), &page);
  checkable->setCheckable(true);
  layout->addWidget(checkable);
  // Taller than the rows Qt's painting would hand to worker threads.
  page.resize(220, 901);
  for (QWidget* widget : page.findChildren<QWidget*>()) widget->setStyle(style);
  page.setStyle(style);
  page.ensurePolished();
  layout->activate();
  QImage image((QSizeF(page.size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  page.render(&image, QPoint(), part);
  return image;
}

// The pictures drawn for the group boxes on a device that is not the screen.
int PicturesForPrinter(QStyle* style) {
  QWidget page;
  auto* layout = new QVBoxLayout(&page);
  layout->addWidget(new QGroupBox(&page));
  layout->addWidget(new QGroupBox(QStringLiteral("Pick-up"), &page));
  page.resize(220, 901);
  for (QWidget* widget : page.findChildren<QWidget*>()) widget->setStyle(style);
  page.setStyle(style);
  test::PictureCounter device(page.size());
  page.render(&device);
  return device.pictures();
}

}  // namespace

class StyleWithoutImagePluginsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setStyle(new StyleWithoutImagePlugins(QStyleFactory::create("Fusion"))); }

  // First, while this process has read no image and painted nothing yet: a
  // window with a menu bar and tall group boxes, built and painted, reads no
  // image and starts no worker thread.
  void buildingAWindowReadsNoImage() {
    if (!QFile::exists(QStringLiteral("/proc/self/maps"))) QSKIP("needs /proc/self/maps");
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QGroupBox(page));
    layout->addWidget(new QGroupBox(QStringLiteral("Pick-up"), page));
    window.setCentralWidget(page);
    window.resize(400, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.grab().isNull());
    QVERIFY(!ImagePluginLoaded());
    QCOMPARE(test::PaintingThreads(), 0);
  }

  void drawsTheBaseStylesIcons() {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning, QStyle::SP_DialogOkButton}) {
      const QIcon deferred = QApplication::style()->standardIcon(which);
      const QIcon direct = fusion->standardIcon(which);
      QVERIFY(!deferred.isNull());
      QCOMPARE(deferred.availableSizes(), direct.availableSizes());
      QCOMPARE(Pixels(deferred), Pixels(direct));
    }
  }

  // The frame's picture, built without decoding a PNG, is Qt's own.
  void groupBoxPictureIsFusionsOwn() {
    QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"), "png");
    const QImage fusions = reader.read();
    if (fusions.isNull()) QSKIP("this Qt has no Fusion group box picture");
    const QImage ours = FusionGroupBoxPicture();
    QCOMPARE(ours.format(), fusions.format());
    QCOMPARE(ours.size(), fusions.size());
    for (int y = 0; y < ours.height(); ++y) {
      for (int x = 0; x < ours.width(); ++x) {
        QVERIFY2(ours.pixel(x, y) == fusions.pixel(x, y), qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
      }
    }
  }

  // Drawn in bands, the frames still come out as Fusion's own, also where a
  // scale puts the bands' edges between device pixels.
  void drawsFusionsGroupBoxFrames() {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    StyleWithoutImagePlugins ours(QStyleFactory::create("Fusion"));
    for (const qreal scale : {1.0, 1.25, 1.5, 2.0}) {
      QVERIFY2(GroupBoxes(&ours, scale) == GroupBoxes(fusion.get(), scale), qPrintable(QString::number(scale)));
    }
  }

  // A repaint of part of a group box, as when a label in it changes, gets
  // Fusion's pixels there too, across the bands' edges.
  void repaintsPartOfAFrameAsFusion() {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    StyleWithoutImagePlugins ours(QStyleFactory::create("Fusion"));
    const QRegion part = QRegion(3, 60, 214, 9) + QRegion(150, 200, 40, 200) + QRegion(0, 880, 220, 21);
    for (const qreal scale : {1.0, 1.5}) {
      const QImage expected = GroupBoxes(fusion.get(), scale, part);
      QVERIFY(expected != GroupBoxes(fusion.get(), scale));
      QVERIFY2(GroupBoxes(&ours, scale, part) == expected, qPrintable(QString::number(scale)));
    }
  }

  // On paper the bands' edges would show: a printout gets each frame in one
  // piece, as from Fusion.
  void printoutGetsFramesInOnePiece() {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    StyleWithoutImagePlugins ours(QStyleFactory::create("Fusion"));
    const int expected = PicturesForPrinter(fusion.get());
    QVERIFY(expected > 0);
    QCOMPARE(PicturesForPrinter(&ours), expected);
  }

  // The menu bar's overflow button gets its chevron once it is shown.
  void overflowButtonShowsTheChevron() {
    QMainWindow window;
    for (int i = 0; i < 12; ++i) window.menuBar()->addMenu(QStringLiteral("Menu %1").arg(i));
    window.resize(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QToolButton* overflow = window.menuBar()->findChild<QToolButton*>();
    QVERIFY(overflow != nullptr);
    QTRY_VERIFY(overflow->isVisible());
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QCOMPARE(Pixels(overflow->icon()), Pixels(fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)));
  }

  // An icon asked for on behalf of a widget outlives that widget.
  void iconOutlivesItsWidget() {
    auto* widget = new QWidget;
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, widget);
    delete widget;
    QVERIFY(!Pixels(icon).isNull());
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::StyleWithoutImagePluginsTest)
#include "style_without_image_plugins_test.moc"
