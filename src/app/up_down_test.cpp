// The edit field and up-down pair on its own.
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

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
};

}  // namespace zelmo

QTEST_MAIN(zelmo::UpDownTest)
#include "up_down_test.moc"
