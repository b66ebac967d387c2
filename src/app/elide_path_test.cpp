// SPDX-License-Identifier: GPL-3.0-or-later
// Shortening device paths: what is kept, what gives way, and that the result
// fits the width it was given.
#include <QFont>
#include <QFontMetrics>
#include <QTest>

#include "app/elide_path.h"
#include "app/widget_factory.h"

namespace zelmo {

namespace {

const QString kById = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KXYZ9-if00-port0");
const QString kName = QStringLiteral("usb-FTDI_FT232R_USB_UART_A10KXYZ9-if00-port0");
const QChar kEllipsis(0x2026);

}  // namespace

class ElidePathTest : public QObject {
  Q_OBJECT

 private slots:
  void textThatFitsIsLeftAlone() {
    const QFontMetrics metrics(PixelFont(16, false));
    const QString text = QStringLiteral("COM= COM1  /dev/ttyUSB0");
    QCOMPARE(ElideDevicePath(text, metrics, metrics.horizontalAdvance(text)), text);
  }

  // Room for the prefix and the name: only the folders give way, and the
  // result is never wider than asked.
  void foldersGiveWayBeforeTheName() {
    const QFontMetrics metrics(PixelFont(11, false));
    const QString text = QStringLiteral("Com 3  (") + kById + QStringLiteral(")");
    const int width = metrics.horizontalAdvance(QStringLiteral("Com 3  (/dev/") + kEllipsis + kName + ")");
    const QString shown = ElideDevicePath(text, metrics, width);
    QVERIFY(shown.startsWith(QStringLiteral("Com 3  (/")));
    QVERIFY(shown.endsWith(QStringLiteral("/") + kName + QStringLiteral(")")));
    QVERIFY(shown.contains(kEllipsis));
    QVERIFY(metrics.horizontalAdvance(shown) <= width);
  }

  // Too narrow even for the name: the folders go, the name loses part of its
  // middle; the start of the text and of the name stay, and the end with the
  // serial number that tells two adapters apart.
  void aNameTooLongLosesItsMiddle() {
    const QFontMetrics metrics(PixelFont(16, false));
    const QString text = QStringLiteral("COM= COM1  ") + kById + QStringLiteral("  FT232R");
    for (const int width : {520, 440, 380}) {
      const QString shown = ElideDevicePath(text, metrics, width);
      QVERIFY2(shown.startsWith(QStringLiteral("COM= COM1  ") + kEllipsis + QStringLiteral("/usb-")),
               qPrintable(shown));
      QVERIFY2(shown.endsWith(QStringLiteral("-if00-port0  FT232R")), qPrintable(shown));
      QVERIFY(metrics.horizontalAdvance(shown) <= width);
    }
  }

  // Nothing of the path fits beside the prefix: cut at the end, still within
  // the width; a text without a path is shortened in the middle.
  void withoutRoomOrPathItStillFits() {
    const QFontMetrics metrics(PixelFont(11, false));
    const QString text = QStringLiteral("COM= COM1  ") + kById;
    const int narrow = metrics.horizontalAdvance(QStringLiteral("COM= CO"));
    QVERIFY(metrics.horizontalAdvance(ElideDevicePath(text, metrics, narrow)) <= narrow);
    const QString plain = QStringLiteral("COM= COM12  a rather long description of the adapter");
    const QString shown = ElideDevicePath(plain, metrics, 120);
    QVERIFY(shown.startsWith(QStringLiteral("COM")));
    QVERIFY(shown.endsWith(QStringLiteral("adapter")));
    QVERIFY(metrics.horizontalAdvance(shown) <= 120);
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::ElidePathTest)
#include "elide_path_test.moc"
