// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/lang/texts.h"
#include "print/print_sheet.h"
#include "print/qt_print_sheet.h"
#include "print/print_stamp.h"

namespace zelmo {
namespace {

// A picture whose corners are marked, so the rendered page shows where its
// edges went, with a line of text in it.
PrintPicture MarkedPicture(int width, int height) {
  PrintPicture sheet;
  sheet.size = QSize(width, height);
  QPainter painter(&sheet.picture);
  painter.fillRect(QRect(0, 0, width, height), QColor(0, 0, 160));
  painter.fillRect(QRect(0, 0, 20, 20), Qt::red);
  painter.fillRect(QRect(width - 20, height - 20, 20, 20), Qt::green);
  painter.setPen(Qt::white);
  painter.drawText(QPoint(25, 30), QStringLiteral("Advance 12"));
  return sheet;
}

// The page of a one-page PDF as an image at 50 dpi.
QImage RenderPage(const QString& pdf, const QString& folder) {
  const QString stem = QDir(folder).filePath(QStringLiteral("page"));
  QProcess process;
  process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                                             QStringLiteral("-singlefile"), pdf, stem});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    return {};
  }
  return QImage(stem + QStringLiteral(".png"));
}

// Bounding box of everything that is not page white.
QRect InkBox(const QImage& page) {
  QRect box;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.red() < 200 || c.green() < 200 || c.blue() < 200) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

bool IsReddish(QColor c) { return c.red() > 180 && c.green() < 80 && c.blue() < 80; }
bool IsGreenish(QColor c) { return c.green() > 180 && c.red() < 80 && c.blue() < 80; }

}  // namespace

class PrintSheetTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
      QSKIP("pdftoppm (poppler-utils) is not installed");
    }
  }

  // A4 at 50 dpi renders as about 413 x 585 pixels.
  void pictureFitsThePage() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, expectedWidth);
    QFETCH(int, expectedHeight);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
    const PrintResult result = QtPrintSheet(MarkedPicture(width, height), PrintTarget{pdf});
    QVERIFY2(result.ok, qPrintable(result.error));

    const QImage page = RenderPage(pdf, folder.path());
    QVERIFY(!page.isNull());
    // 595 x 842 points; the renderer rounds the width either way.
    QVERIFY(page.width() == 413 || page.width() == 414);
    QCOMPARE(page.height(), 585);

    const QRect ink = InkBox(page);
    QCOMPARE(ink.left(), 0);
    QCOMPARE(ink.top(), 0);
    QVERIFY2(qAbs(ink.width() - expectedWidth) <= 1, qPrintable(QString::number(ink.width())));
    QVERIFY2(qAbs(ink.height() - expectedHeight) <= 1, qPrintable(QString::number(ink.height())));
    // Not mirrored or turned: the red corner is at the top left, the green one
    // at the bottom right of the printed picture.
    QVERIFY(IsReddish(page.pixelColor(2, 2)));
    QVERIFY(IsGreenish(page.pixelColor(ink.right() - 2, ink.bottom() - 2)));
  }

  void pictureFitsThePage_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("expectedWidth");
    QTest::addColumn<int>("expectedHeight");
    // The window's client area is wider than A4's aspect: it fills the width.
    QTest::newRow("window") << 769 << 784 << 413 << 421;
    // A tall picture fills the height.
    QTest::newRow("tall") << 200 << 800 << 146 << 585;
  }

  // Texts go onto the page as text, not as pixels of a screen picture.
  void textStaysText() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
    QVERIFY(QtPrintSheet(MarkedPicture(769, 784), PrintTarget{pdf}).ok);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("Advance 12")));
  }

  void unwritablePdfIsReported() {
    const PrintResult result =
        QtPrintSheet(MarkedPicture(50, 50), PrintTarget{QStringLiteral("/nonexistent/folder/x.pdf")});
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(QStringLiteral("/nonexistent/folder/x.pdf")));
  }

  void emptyPictureIsRefused() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("empty.pdf"));
    const PrintResult result = QtPrintSheet(PrintPicture(), PrintTarget{pdf});
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(!QFileInfo::exists(pdf));
  }

  // The window reaches the printout through the module, loaded from the
  // first folder that holds it.
  void moduleIsLoadedFromItsFolder() {
    QTemporaryDir empty;
    PrintModule module({empty.path(), QStringLiteral(ZELMO_TEST_MODULE_DIR)});
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
    const PrintResult result = module.print(MarkedPicture(769, 784), PrintTarget{pdf});
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(!RenderPage(pdf, folder.path()).isNull());
  }

  void missingModuleSaysWhereItWasLookedFor() {
    QTemporaryDir empty;
    PrintModule module({empty.path()});
    QVERIFY(!module.hasDefaultPrinter());
    const QString pdf = empty.filePath(QStringLiteral("sheet.pdf"));
    const PrintResult result = module.print(MarkedPicture(50, 50), PrintTarget{pdf});
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(empty.path()), qPrintable(result.error));
    QVERIFY(!QFileInfo::exists(pdf));
  }

  // A damaged file in the module's place is named, not loaded; the one in
  // the next folder is not tried behind the user's back.
  void damagedModuleIsReported() {
    QTemporaryDir folder;
    const QString name = QFileInfo(QStringLiteral(ZELMO_TEST_MODULE_FILE)).fileName();
    QFile damaged(folder.filePath(name));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\x7f" "ELF", 4) + QByteArray(200, '\0'));
    damaged.close();
    PrintModule module({folder.path(), QStringLiteral(ZELMO_TEST_MODULE_DIR)});
    const PrintResult result = module.print(MarkedPicture(50, 50), PrintTarget{folder.filePath("x.pdf")});
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(damaged.fileName()), qPrintable(result.error));
  }

  void stampByLanguage() {
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const QDateTime when(QDate(2026, 3, 7), QTime(9, 5, 4));
    const QString dateTime = locale.toString(when.date(), QLocale::ShortFormat) + QStringLiteral("    ") +
                             locale.toString(when.time(), QLocale::LongFormat);

    QCOMPARE(PrintStamp(kEnglish, when, locale).value(), QStringLiteral("Date and Time of printing:  ") + dateTime);
    QCOMPARE(PrintStamp(kGerman, when, locale).value(), QStringLiteral("Date and Time of printing:  ") + dateTime);
    QCOMPARE(PrintStamp(kCzech, when, locale).value(), QString::fromUtf8("Datum a čas tisku:  ") + dateTime);
    QVERIFY(!PrintStamp(kFrench, when, locale).has_value());
  }

  void stampFollowsTheLocaleFormats() {
    const QDateTime when(QDate(2026, 3, 7), QTime(9, 5, 4));
    const QString czech = PrintStamp(kCzech, when, QLocale(QLocale::Czech)).value();
    QVERIFY2(czech.contains(QLocale(QLocale::Czech).toString(when.date(), QLocale::ShortFormat)), qPrintable(czech));
    QVERIFY(czech.contains(QStringLiteral("9:05:04")) || czech.contains(QStringLiteral("09:05:04")));
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::PrintSheetTest)
#include "print_sheet_test.moc"
