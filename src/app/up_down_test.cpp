// SPDX-License-Identifier: GPL-3.0-or-later
// The edit field and up-down pair on its own.
#include <QApplication>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "app/up_down.h"

namespace zelmo {

class UpDownTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

  void showsThousandsWithTheLocaleSeparator() {
    QLineEdit edit;
    UpDown upDown(999, 25000, 100, true);
    upDown.setBuddy(&edit);
    upDown.setPosition(15000);
    QCOMPARE(edit.text(), QLocale().toString(15000));
    QVERIFY(edit.text().size() == 6);  // a separator between 15 and 000
    upDown.setPosition(999);
    QCOMPARE(edit.text(), QStringLiteral("999"));

    UpDown plain(0, 60, 1, false);
    QLineEdit advance;
    plain.setBuddy(&advance);
    plain.setPosition(61);
    QCOMPARE(advance.text(), QStringLiteral("60"));
  }

  void readsTypedTextAsAWholeNumberWithinItsRange() {
    QLineEdit edit;
    UpDown upDown(999, 25000, 100, true);
    upDown.setBuddy(&edit);
    upDown.setPosition(12000);
    edit.setText(QStringLiteral("15 050"));
    QCOMPARE(upDown.position(), 15050);
    edit.setText(QStringLiteral("15") + QChar(0x00A0) + QStringLiteral("100"));
    QCOMPARE(upDown.position(), 15100);
    edit.setText(QStringLiteral("99999"));
    QCOMPARE(upDown.position(), 25000);
    edit.setText(QStringLiteral("-5"));
    QCOMPARE(upDown.position(), 999);
    // Not a number: the previous position stays.
    upDown.setPosition(14000);
    for (const char* typed : {"abc", "", "12x", "1.5", "99999999999999999999999"}) {
      edit.setText(QString::fromLatin1(typed));
      QCOMPARE(upDown.position(), 14000);
    }
  }

  void clickStepsFromTheTypedValueAndStopsAtTheEnds() {
    QLineEdit edit;
    UpDown upDown(199, 20100, 100, true);
    upDown.setBuddy(&edit);
    upDown.resize(16, 21);
    upDown.setPosition(200);
    QSignalSpy clicks(&upDown, &UpDown::clicked);
    QTest::mouseClick(&upDown, Qt::LeftButton, {}, QPoint(8, 16));
    QCOMPARE(upDown.position(), 199);
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(&upDown, Qt::LeftButton, {}, QPoint(8, 16));
    QCOMPARE(upDown.position(), 199);
    QCOMPARE(clicks.count(), 2);  // a click at the end still counts as a click
    edit.setText(QStringLiteral("5000"));
    QTest::mouseClick(&upDown, Qt::LeftButton, {}, QPoint(8, 3));
    QCOMPARE(upDown.position(), 5100);
    QCOMPARE(edit.text(), QLocale().toString(5100));
    QTest::mouseClick(&upDown, Qt::RightButton, {}, QPoint(8, 3));
    QCOMPARE(clicks.count(), 3);
  }

  void settingThePositionIsNotAClick() {
    QLineEdit edit;
    UpDown upDown(0, 40, 1, false);
    upDown.setBuddy(&edit);
    QSignalSpy clicks(&upDown, &UpDown::clicked);
    upDown.setPosition(12);
    QCOMPARE(clicks.count(), 0);
  }
  // The field's keys and the wheel over the field or the buttons step as a
  // click does: from the typed value, within the range, one click each.
  void keysAndWheelStepLikeAClick() {
    QLineEdit edit;
    UpDown upDown(199, 20100, 100, true);
    upDown.setBuddy(&edit);
    upDown.setPosition(5000);
    QSignalSpy clicks(&upDown, &UpDown::clicked);
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(upDown.position(), 5100);
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_Down);
    QCOMPARE(upDown.position(), 4900);
    QTest::keyClick(&edit, Qt::Key_PageUp);
    QCOMPARE(upDown.position(), 5900);
    QTest::keyClick(&edit, Qt::Key_PageDown);
    QCOMPARE(upDown.position(), 4900);
    QCOMPARE(clicks.count(), 5);
    edit.setText(QStringLiteral("20000"));
    QTest::keyClick(&edit, Qt::Key_PageUp);
    QCOMPARE(upDown.position(), 20100);
    QCOMPARE(edit.text(), QLocale().toString(20100));
    QCOMPARE(clicks.count(), 6);  // at the end it still counts, as a click does
    // Other keys and keys with a modifier stay the field's own.
    QTest::keyClick(&edit, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Left);
    QCOMPARE(clicks.count(), 6);

    upDown.setPosition(300);
    Wheel(&edit, 120);
    QCOMPARE(upDown.position(), 400);
    Wheel(&upDown, -240);  // two notches in one event: two steps, one click
    QCOMPARE(upDown.position(), 200);
    QCOMPARE(clicks.count(), 8);
    // A touchpad's small deltas add up to whole notches.
    Wheel(&edit, 60);
    QCOMPARE(clicks.count(), 8);
    Wheel(&upDown, 60);
    QCOMPARE(upDown.position(), 300);
    QCOMPARE(clicks.count(), 9);
    Wheel(&edit, -600);
    QCOMPARE(upDown.position(), 199);
  }

 private:
  static void Wheel(QWidget* target, int delta) {
    QWheelEvent event(QPointF(2, 2), QPointF(2, 2), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::UpDownTest)
#include "up_down_test.moc"
