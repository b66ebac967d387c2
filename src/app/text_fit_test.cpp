// SPDX-License-Identifier: GPL-3.0-or-later
// No text is cut off in any language: every visible label, button, check box
// and menu item holds its whole text, measured with the fonts' metrics, and
// long device paths are shortened where they show.
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "app/device_panel.h"
#include "app/elide_path.h"
#include "app/test_support.h"
#include "core/device/monitor.h"

namespace zelmo {

using test::Bench;
using test::Child;
using test::ConfigFolder;

namespace {

constexpr std::uint8_t kOtherVersion = 60;
const QString kLongDevice = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KXYZ9-if00-port0");

QString Describe(const QWidget* widget, const QString& text, const QString& problem) {
  return QStringLiteral("%1 \"%2\": %3").arg(widget->objectName(), text, problem);
}

// The rectangle the text occupies must lie inside the rectangle the widget
// has for text, and the widget inside every parent up to the window or to
// the scrolled area that holds the designed layout.
void CheckInsideParents(const QWidget* widget, const QString& text, QStringList& misfits) {
  QRect place = widget->rect();
  const QWidget* current = widget;
  while (!current->isWindow() && current->parentWidget()) {
    const QWidget* parent = current->parentWidget();
    place.translate(current->pos());
    if (!parent->rect().contains(place)) {
      misfits << Describe(widget, text, QStringLiteral("passes the edge of %1").arg(parent->objectName()));
      return;
    }
    const auto* area = qobject_cast<const QAbstractScrollArea*>(parent->parentWidget());
    if (area && area->viewport() == parent) return;
    current = parent;
  }
}

void CheckTextRoom(const QWidget* widget, const QString& text, const QRect& room, int flags, QStringList& misfits) {
  const QRect needed = widget->fontMetrics().boundingRect(room, flags, text);
  if (needed.width() > room.width() || needed.height() > room.height()) {
    misfits << Describe(widget, text,
                        QStringLiteral("needs %1 x %2, has %3 x %4")
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(room.width())
                            .arg(room.height()));
  }
}

QRect ButtonRoom(const QAbstractButton* button, QStyle::SubElement element) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  return button->style()->subElementRect(element, &option, button);
}

QStringList WidgetMisfits(const QWidget* window) {
  QStringList misfits;
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window)) continue;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      if (label->text().isEmpty() || label->textFormat() == Qt::RichText) continue;
      const int margin = label->margin();
      const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
      const int flags =
          (label->wordWrap() ? Qt::TextWordWrap : 0) | (label->buddy() ? Qt::TextShowMnemonic : Qt::TextSingleLine);
      CheckTextRoom(label, label->text(), room, flags, misfits);
      CheckInsideParents(label, label->text(), misfits);
    } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
      if (button->text().isEmpty()) continue;
      CheckTextRoom(button, button->text(), ButtonRoom(button, QStyle::SE_PushButtonContents), Qt::TextShowMnemonic,
                    misfits);
      CheckInsideParents(button, button->text(), misfits);
    } else if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
      CheckTextRoom(box, box->text(), ButtonRoom(box, QStyle::SE_CheckBoxContents), Qt::TextShowMnemonic, misfits);
      CheckInsideParents(box, box->text(), misfits);
    }
  }
  return misfits;
}

QStringList MenuMisfits(QMainWindow& window) {
  QStringList misfits;
  QMenuBar* bar = window.menuBar();
  const QRect screen = window.screen()->availableGeometry();
  for (QAction* title : bar->actions()) {
    QMenu* menu = title->menu();
    if (!menu || !title->isVisible()) continue;
    const QRect titleRect = bar->actionGeometry(title);
    if (!bar->rect().contains(titleRect) ||
        bar->fontMetrics().size(Qt::TextShowMnemonic, title->text()).width() > titleRect.width()) {
      misfits << QStringLiteral("menu title \"%1\" does not fit the menu bar").arg(title->text());
    }
    if (menu->sizeHint().width() > screen.width() / 2) {
      misfits << QStringLiteral("menu \"%1\" is %2 pixels wide").arg(title->text()).arg(menu->sizeHint().width());
    }
    for (QAction* item : menu->actions()) {
      if (item->isSeparator() || !item->isVisible()) continue;
      const QRect itemRect = menu->actionGeometry(item);
      const int text = menu->fontMetrics().size(Qt::TextShowMnemonic, item->text()).width();
      if (text > itemRect.width()) {
        misfits << QStringLiteral("menu item \"%1\" needs %2 of %3").arg(item->text()).arg(text).arg(itemRect.width());
      }
    }
  }
  return misfits;
}

void ApplyLanguage(TFormHlav& window, std::uint8_t language) {
  switch (language) {
    case kGerman:
      window.MenuGermanClick();
      break;
    case kCzech:
      window.MenuCzechClick();
      break;
    default:
      window.MenuEnglishClick();
      break;
  }
}

// A link to the simulated unit whose ports have long stable device names, as
// adapters found by their serial number have.
class LongNameLink : public sim::SimLink {
 public:
  using SimLink::SimLink;
  std::string deviceFor(int /*portNumber*/) const override { return kLongDevice.toStdString(); }
};

}  // namespace

class TextFitTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  // A unit of another parameter-set version with a broken stored block brings
  // both red banners up; the banners follow the language at the next frame.
  void everyVisibleTextFitsInEveryLanguage() {
    Bench bench({.unit = sim::UnitOptions{kOtherVersion, {}}, .memory = sim::Unordered(sim::FactoryMemory())});
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* version = Child<QLabel>(&window, "LabelVersion");
    QTRY_VERIFY(version->isVisible());
    QVERIFY(Child<QLabel>(&window, "LabelEeDataErr")->isVisible());
    QStringList misfits;
    for (const std::uint8_t language : {kEnglish, kCzech, kGerman}) {
      ApplyLanguage(window, language);
      const QString expected = Utf8Text(VersionMismatchText(window.session().messages(), kOtherVersion));
      QTRY_COMPARE(version->text(), expected);
      for (const QString& misfit : WidgetMisfits(&window) + MenuMisfits(window)) {
        misfits << QStringLiteral("language %1: %2").arg(language).arg(misfit);
      }
      const QRect group = Child<QGroupBox>(&window, "GroupBox5")->geometry();
      if (group.intersects(Child<QLabel>(&window, "LabelSpojeni")->geometry())) {
        misfits << QStringLiteral("language %1: the tool group overlaps \"No Connection\"").arg(language);
      }
    }
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QLatin1Char('\n'))));
  }

  // Texts of the message table in the controls that show them, at their
  // longest: failures, the results with ": OK", the version warning.
  void messagesFitWhereTheyShow() {
    Bench bench;
    TFormHlav& window = *bench.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* panel = window.findChild<DevicePanel*>();
    QVERIFY(panel);
    for (const std::uint8_t language : {kEnglish, kCzech, kGerman}) {
      ApplyLanguage(window, language);
      const MessageTable& m = window.session().messages();
      const std::string operations[] = {m.programError,         m.verifyError,     m.readError,
                                        m.programming + ": OK", m.verify + ": OK", m.saving};
      for (const std::string& text : operations) {
        DeviceDisplay display = window.session().engine().display();
        display.operation = {text, Colour::Red, true};
        display.monitor.version = {VersionMismatchText(m, 255), Colour::Red, true};
        display.monitor.dataError = {"Programmed data error", Colour::Red, true};
        panel->show(display, true);
        const QStringList misfits = WidgetMisfits(&window);
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QLatin1Char('\n'))));
      }
      // The version warning keeps clear of the data-error banner above it.
      QVERIFY(!Child<QLabel>(&window, "LabelVersion")
                   ->geometry()
                   .intersects(Child<QLabel>(&window, "LabelEeDataErr")->geometry()));
    }
  }

  // Growing is for captions that need it: in English the design stands, and
  // coming back from German restores it.
  void toolRowKeepsTheDesignWhereCaptionsFit() {
    Bench bench;
    TFormHlav& window = *bench.window;
    const QRect designed[] = {QRect(190, 12, 57, 25), QRect(256, 12, 65, 25), QRect(330, 12, 81, 25)};
    const char* names[] = {"Button1", "BitBtn2", "BitBtn1"};
    window.MenuGermanClick();
    QVERIFY(Child<QGroupBox>(&window, "GroupBox5")->width() > 422);
    QVERIFY(Child<QLabel>(&window, "LabelSpojeni")->x() > 440);
    for (std::size_t i = 1; i < 3; ++i) {
      QVERIFY(Child<QPushButton>(&window, names[i])->x() >=
              Child<QPushButton>(&window, names[i - 1])->geometry().right() + 9);
    }
    QVERIFY(
        !Child<QLabel>(&window, "LabelRec")->geometry().intersects(Child<QLabel>(&window, "LabelSpojeni")->geometry()));
    window.MenuEnglishClick();
    for (std::size_t i = 0; i < 3; ++i) QCOMPARE(Child<QPushButton>(&window, names[i])->geometry(), designed[i]);
    QCOMPARE(Child<QGroupBox>(&window, "GroupBox5")->geometry(), QRect(6, 0, 422, 43));
    QCOMPARE(Child<QLabel>(&window, "LabelSpojeni")->pos(), QPoint(440, 9));
  }

  // The port label and the Com menu keep the device's name and the start of
  // the text, lose folders in the middle, and hold the whole path as tooltip.
  void longDevicePathsAreShortenedInTheMiddle() {
    sim::SimulatedUnit unit;
    LongNameLink link(unit, sim::SteadyClock());
    TFormHlav window(
        link, WindowOptions{{}, QCoreApplication::applicationFilePath(), {}, FindConfigFiles(ProcessEnvironment)});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto* com = Child<QLabel>(&window, "LabelCom");
    QVERIFY(com->text().startsWith(QStringLiteral("COM= COM1  ")));
    QVERIFY(com->text().endsWith(QStringLiteral("-port0")));
    QVERIFY(com->text().contains(QChar(0x2026)));
    QCOMPARE(com->toolTip(), QStringLiteral("COM= COM1  ") + kLongDevice);
    const QStringList misfits = WidgetMisfits(&window);
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QLatin1Char('\n'))));

    auto* menu = Child<QMenu>(&window, "MenuCom");
    emit menu->aboutToShow();
    QAction* third = Child<QAction>(&window, "MenuCom3");
    QCOMPARE(third->toolTip(), QStringLiteral("Com 3  (%1)").arg(kLongDevice));
    QVERIFY(third->text().startsWith(QStringLiteral("Com 3  (")));
    QVERIFY(third->text().endsWith(QStringLiteral("-if00-port0)")));
    QVERIFY(third->text().contains(QChar(0x2026)));
    QVERIFY(menu->toolTipsVisible());
    QVERIFY(menu->sizeHint().width() < menu->fontMetrics().horizontalAdvance(third->toolTip()));
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::TextFitTest)
#include "text_fit_test.moc"
