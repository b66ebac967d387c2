// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a dark desktop: every text it shows reads on what lies under
// it, on screen and on paper, in every language. Texts are drawn without
// antialiasing here, so a text's pixels carry exactly the colour it is
// painted in and can be told from the ground under it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>

#include "app/test_support.h"
#include "core/look/contrast.h"
#include "sim/simulated_unit.h"

namespace zelmo {
namespace {

using test::Bench;
using test::Child;
using test::ConfigFolder;

QPalette DarkPalette() {
  const QColor window(53, 53, 53);
  QPalette p(Qt::white, window, window.lighter(150), window.darker(150), window.darker(120), Qt::white, Qt::white,
             QColor(35, 35, 35), window);
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::black);
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
  }
  return p;
}

Rgb RgbOf(QRgb pixel) {
  return Rgb{static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
             static_cast<std::uint8_t>(qBlue(pixel))};
}

// A place where a text is drawn, in the coordinates of the grabbed picture.
struct TextPlace {
  QString what;
  QRect rect;
};

// The contrast between the ground of a text (the colour most of its place
// has) and its text (the pixel that stands out most). A place of one colour
// only shows no text at all: ratio 1.
double MeasuredContrast(const QImage& picture, const QRect& place) {
  QHash<QRgb, int> counts;
  const QRect inside = place.intersected(picture.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) ++counts[picture.pixel(x, y) | 0xff000000];
  }
  QRgb ground = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > most) {
      most = it.value();
      ground = it.key();
    }
  }
  double best = 1.0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    best = std::max(best, ContrastRatio(RgbOf(it.key()), RgbOf(ground)));
  }
  return best;
}

// Where each visible, enabled control of `root` draws its text, within `top`.
QList<TextPlace> TextPlaces(QWidget* top, QWidget* root) {
  QList<TextPlace> places;
  const auto add = [&](QWidget* widget, const QRect& local) {
    places.append({widget->objectName(), QRect(widget->mapTo(top, local.topLeft()), local.size())});
  };
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(top) || !widget->isEnabled()) continue;
    QStyle* style = widget->style();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      if (!label->text().trimmed().isEmpty()) add(label, label->contentsRect());
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      QStyleOptionButton option;
      option.initFrom(box);
      option.text = box->text();
      add(box, style->subElementRect(QStyle::SE_CheckBoxContents, &option, box));
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      add(button, style->subElementRect(QStyle::SE_PushButtonContents, &option, button).adjusted(2, 2, -2, -2));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      if (!edit->text().isEmpty()) add(edit, edit->rect().adjusted(3, 3, -3, -3));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QStyleOptionComboBox option;
      option.initFrom(combo);
      add(combo, style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
                     .adjusted(1, 2, -1, -2));
    }
  }
  // The graph's advance labels in its left margin, and the wheel's label.
  if (auto* graph = Child<QWidget>(top, "GrafAdv"); graph && graph->isVisibleTo(top)) {
    add(graph, QRect(0, 0, 19, graph->height() - 16));
  }
  if (auto* wheel = Child<QWidget>(top, "Image3"); wheel && wheel->isVisibleTo(top)) {
    add(wheel, QRect(0, 8, wheel->width(), 22));
  }
  return places;
}

QStringList Unreadable(const QImage& picture, const QList<TextPlace>& places) {
  QStringList failures;
  for (const TextPlace& place : places) {
    const double ratio = MeasuredContrast(picture, place.rect);
    if (ratio < kReadableContrast) failures.append(QStringLiteral("%1 %2").arg(place.what).arg(ratio, 0, 'f', 2));
  }
  return failures;
}

// A gauge's percentage wholly on the trough and wholly on the bar.
QStringList UnreadableGauge(QWidget* window, const char* name) {
  auto* gauge = Child<QProgressBar>(window, name);
  gauge->show();
  gauge->setRange(0, 100);
  QStringList failures;
  for (const int value : {0, 100}) {
    gauge->setValue(value);
    const QImage picture = gauge->grab().toImage();
    const double ratio = MeasuredContrast(picture, gauge->rect().adjusted(2, 2, -2, -2));
    if (ratio < kReadableContrast) failures.append(QStringLiteral("%1 at %2: %3").arg(name).arg(value).arg(ratio));
  }
  return failures;
}

}  // namespace

class ThemeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::NoAntialias);
    QApplication::setFont(font);
  }
  void init() {
    config_ = std::make_unique<ConfigFolder>();
    QApplication::setPalette(DarkPalette());
  }
  void cleanup() {
    config_.reset();
    QApplication::setPalette(QApplication::style()->standardPalette());
  }

  // Before the unit answers: "No Connection" on red, the empty fields.
  void everyTextReadsOnADarkDesktopBeforeTheUnitAnswers() {
    Bench bench;
    bench.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
    bench.runTicks(3);
    QVERIFY(!Child<QLabel>(bench.window.get(), "LabelSpojeni")->isHidden());
    const QImage picture = bench.window->grab().toImage();
    const QStringList failures = Unreadable(picture, TextPlaces(bench.window.get(), bench.window.get()));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
  }

  // A unit of another version with a broken memory, running: the red banners,
  // the lime and aqua states and the marked breakpoint, in all three languages.
  void everyTextReadsOnADarkDesktopWithTheUnitsWarnings() {
    sim::UnitOptions older;
    older.protocolVersion = 60;
    Bench bench({.unit = older, .memory = sim::Unordered(sim::FactoryMemory())});
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY_WITH_TIMEOUT(!Child<QLabel>(&window, "LabelVersion")->isHidden(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!Child<QLabel>(&window, "LabelEeDataErr")->isHidden(), 5000);
    for (void (TFormHlav::*language)() :
         {&TFormHlav::MenuEnglishClick, &TFormHlav::MenuGermanClick, &TFormHlav::MenuCzechClick}) {
      (window.*language)();
      bench.runTicks(2);
      const QImage picture = window.grab().toImage();
      QStringList failures = Unreadable(picture, TextPlaces(&window, &window));
      failures += UnreadableGauge(&window, "CGaugeProgram");
      QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
    }
  }

  // A failed verify: "Verify error!" on red, the Differences button, the
  // "Not programmed" sign and "Programming after change" in red.
  void everyTextReadsOnADarkDesktopAfterAFailedVerify() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY_WITH_TIMEOUT(!window.session().engine().display().noConnection, 5000);
    QTest::mouseClick(Child<QWidget>(&window, "UpDown50"), Qt::LeftButton, {}, QPoint(5, 3));
    window.MenuVerifyClick();
    QTRY_VERIFY_WITH_TIMEOUT(window.session().unitAfterFailure().has_value(), 5000);
    Child<QCheckBox>(&window, "CheckBoxProgHned")->setChecked(true);
    bench.runTicks(2);
    QVERIFY(!Child<QLabel>(&window, "LabelNotProgrammed")->isHidden());
    QVERIFY(!Child<QWidget>(&window, "ButtonDifferences")->isHidden());
    QVERIFY(!Child<QLabel>(&window, "LabelHlaseni")->isHidden());
    const QImage picture = window.grab().toImage();
    const QStringList failures = Unreadable(picture, TextPlaces(&window, &window));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
    auto* box = Child<QCheckBox>(&window, "CheckBoxProgHned");
    QCOMPARE(QColor(picture.pixel(box->mapTo(&window, QPoint(box->width() - 3, 3)))), QColor(Qt::red));
  }

  // Paper stays white with dark text whatever the desktop's colours.
  void thePrintAppearanceStaysWhiteWithDarkText() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bench.runTicks(4);
    window.setPrintAppearance(true);
    QWidget* client = window.centralWidget();
    const QImage picture = client->grab().toImage();
    QCOMPARE(QColor(picture.pixel(client->width() - 5, client->height() - 5)), QColor(Qt::white));
    const QStringList failures = Unreadable(picture, TextPlaces(client, client));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral(", "))));
    // The labels and the graph's margin are the dark-on-light of a default desktop.
    auto* label = Child<QLabel>(&window, "LabelOmez2");
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    const QPoint margin = Child<QWidget>(&window, "GrafAdv")->mapTo(client, QPoint(1, 1));
    QVERIFY(qGray(picture.pixel(margin)) > 200);
    window.setPrintAppearance(false);
    QCOMPARE(client->palette().color(QPalette::Window), DarkPalette().color(QPalette::Window));
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::ThemeTest)
#include "theme_test.moc"
