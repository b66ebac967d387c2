// SPDX-License-Identifier: GPL-3.0-or-later
// The printout through the window: a PDF page turned into a picture and
// compared with the window, the stamp per language, and the window's return to
// its normal appearance also when the print fails.
#include <QApplication>
#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "app/client_area.h"
#include "app/test_support.h"
#include "print/print_sheet.h"
#include "print/print_stamp.h"

namespace zelmo {
namespace {

using test::AnswerFileDialog;
using test::AnswerMessageBox;
using test::Child;
using test::ConfigFolder;
using test::WhenModal;

// The window's face on screen: the desktop's window colour.
QColor Face() { return QApplication::palette().color(QPalette::Window); }

// A window whose printouts go where printTo says (empty: the printer).
struct PrintBench : test::Bench {
  explicit PrintBench(const QString& printTo) : Bench({.printTo = printTo}) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    showWholeDesign();
  }

  // Larger than the test screen allows at start-up, so nothing scrolls.
  void showWholeDesign() const {
    window->resize(kDesignedWidth,
                   window->menuBar()->sizeHint().height() + kDesignedHeight + window->statusBar()->height());
    window->layout()->activate();
  }

  QWidget* client() const { return window->centralWidget(); }
  // The window below its menu bar, status bar included, as the eye sees it.
  QImage clientArea() const {
    const int top = window->menuBar()->height();
    return window->grab(QRect(0, top, window->width(), window->height() - top)).toImage();
  }
  // A control's place in the client area.
  QRect placeOf(const char* name) const {
    auto* widget = Child<QWidget>(window.get(), name);
    return QRect(widget->mapTo(window.get(), QPoint(0, 0)) - QPoint(0, window->menuBar()->height()), widget->size());
  }
  void print() const { Child<QToolButton>(window.get(), "SpeedButtonPrint")->click(); }
};

// The first page at 50 dpi; null when the PDF cannot be rendered.
QImage RenderPage(const QString& pdf) {
  const QString prefix = QFileInfo(pdf).absolutePath() + QStringLiteral("/page");
  QProcess::execute(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"),
                     QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix});
  const QStringList pages = QDir(QFileInfo(pdf).absolutePath()).entryList({QStringLiteral("page*.png")});
  if (pages.size() != 1) return {};
  return QImage(QFileInfo(pdf).absolutePath() + QLatin1Char('/') + pages.first()).convertToFormat(QImage::Format_RGB32);
}

double MeanLightness(const QImage& image, const QRect& area) {
  double sum = 0;
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      sum += QColor(image.pixel(x, y)).lightness();
      ++count;
    }
  }
  return count ? sum / count : 0;
}

double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p(a.pixel(x, y));
      const QColor q(b.pixel(x, y));
      sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
    }
  }
  return sum / (3.0 * a.width() * a.height());
}

// Thin lines a pixel apart between two resamplers count for little.
QImage Coarse(const QImage& image) {
  return image.scaled(image.size() / 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_RGB32);
}

QRect Scaled(const QRect& r, double scale) {
  return QRect(QPoint(qRound(r.left() * scale), qRound(r.top() * scale)),
               QPoint(qRound(r.right() * scale), qRound(r.bottom() * scale)));
}

void VerifyNormalAppearance(const PrintBench& bench) {
  TFormHlav& window = *bench.window;
  QCOMPARE(bench.client()->palette().color(QPalette::Window), Face());
  for (const char* name : {"StatusBar1", "UpDownBaseAdv", "UpDownOmez2", "CheckBoxProgHned", "BitBtnAdvMinus",
                           "BitBtnAdvPlus", "CheckBoxIgnAll", "CGaugeRpm", "LabelPocetProgramovani"}) {
    QVERIFY2(Child<QWidget>(&window, name)->isVisible(), name);
  }
  QCOMPARE(window.statusBar()->geometry().bottom(), window.height() - 1);
}

bool StampOfBetween(const QString& text, std::uint8_t languageId, const QDateTime& from, const QDateTime& to) {
  for (QDateTime t = from.addSecs(-1); t <= to.addSecs(1); t = t.addSecs(1)) {
    if (text == PrintStamp(languageId, t)) return true;
  }
  return false;
}

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { config_ = std::make_unique<ConfigFolder>(); }
  void cleanup() { config_.reset(); }

  void pageHoldsThePrintAppearanceAtTheFitSize() {
    const QString pdf = config_->file(QStringLiteral("sheet.pdf"));
    PrintBench bench(pdf);
    TFormHlav& window = *bench.window;
    // Connected, with the graph drawn and a hint in the status bar.
    QTest::qWait(20 * 55);
    QTRY_VERIFY(Child<QLabel>(&window, "LabelSpojeni")->isHidden());
    window.statusBar()->showMessage(QStringLiteral("Programming after change"));
    const QImage before = bench.clientArea();
    bench.print();
    // The picture the job was given, rebuilt before any tick can change a label.
    window.setPrintAppearance(true);
    Child<QLabel>(&window, "LabelHlaseni")->show();
    window.layout()->activate();
    const QImage printed = bench.client()->grab(QRect(0, 0, kDesignedWidth, kDesignedHeight)).toImage();
    window.setPrintAppearance(false);
    Child<QLabel>(&window, "LabelHlaseni")->hide();
    window.layout()->activate();
    QCOMPARE(before.size(), QSize(kDesignedWidth, kDesignedHeight + 19));

    const QImage page = RenderPage(pdf);
    QVERIFY2(!page.isNull(), "pdftoppm made no page");
    // A4 at 50 dpi; the window is wider than the page's aspect, so it fills the width.
    QVERIFY(qAbs(page.width() - 413) <= 1);
    QVERIFY(qAbs(page.height() - 585) <= 1);
    const double scale = double(page.width()) / printed.width();
    const int height = qRound(printed.height() * scale);

    const QImage top = page.copy(0, 0, page.width(), height);
    const QImage expected = printed.scaled(top.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_RGB32);
    // Texts are drawn at the printer's resolution, not scaled from the screen's
    // pixels, so they differ a little from the scaled screen picture.
    QVERIFY2(MeanDifference(top, expected) < 10, qPrintable(QString::number(MeanDifference(top, expected))));
    // Shifted by a few pixels, the same picture no longer matches.
    const QImage shifted = page.copy(0, 4, page.width(), height);
    QVERIFY(MeanDifference(shifted, expected) > MeanDifference(top, expected) + 2);
    // White page below the picture.
    QVERIFY(MeanLightness(page, QRect(0, height + 2, page.width(), page.height() - height - 2)) > 254.5);

    // White where the window shows button face, and the hidden controls gone.
    const QRect margin(700, 150, 40, 40);
    QVERIFY(MeanLightness(before, margin) < 242);
    QVERIFY(MeanLightness(page, Scaled(margin, scale)) > 252);
    const QRect statusBar(0, before.height() - 19, before.width(), 19);
    QVERIFY(MeanLightness(before, statusBar) < 235);
    QVERIFY(MeanLightness(page, Scaled(statusBar.adjusted(0, 2, 0, -2), scale)) > 252);
    for (const char* name : {"UpDownBaseAdv", "UpDownOmez2", "BitBtnAdvPlus", "CheckBoxIgnAll"}) {
      const QRect place = bench.placeOf(name);
      QVERIFY2(MeanLightness(before, place) < 235, name);
      QVERIFY2(MeanLightness(page, Scaled(place.adjusted(2, 2, -2, -2), scale)) > 250, name);
    }
    // The graph and the breakpoint fields are on the sheet: much nearer to the
    // window's picture than to a blank sheet (texts drawn at the printer's
    // resolution are finer than the scaled screen picture). The stamp, whose
    // seconds may have moved on since, is checked as text below.
    for (const char* name : {"GrafAdv", "GroupBox6", "GroupBox2"}) {
      const QRect place = Scaled(bench.placeOf(name).intersected(QRect(QPoint(0, 0), before.size())), scale);
      QImage blank(place.size(), QImage::Format_RGB32);
      blank.fill(Qt::white);
      const double toPicture = MeanDifference(Coarse(page.copy(place)), Coarse(expected.copy(place)));
      const double toBlank = MeanDifference(Coarse(page.copy(place)), Coarse(blank));
      QVERIFY2(
          toPicture * 3 < toBlank,
          qPrintable(QStringLiteral("%1: %2 against %3").arg(QString::fromLatin1(name)).arg(toPicture).arg(toBlank)));
    }
    // Labels, field values and the stamp are text in the PDF, not pixels.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(words.contains(QStringLiteral("Date and Time of printing:")), qPrintable(words));
    const QString limiter = Child<QLineEdit>(&window, "EditOmez2")->text();
    QVERIFY2(words.contains(limiter), qPrintable(limiter + QStringLiteral(" in ") + words));
    VerifyNormalAppearance(bench);
  }

  void smallScrolledWindowPrintsTheWholeDesignAtTheSameScale() {
    const QString pdf = config_->file(QStringLiteral("sheet.pdf"));
    PrintBench bench(pdf);
    TFormHlav& window = *bench.window;
    QTest::qWait(20 * 55);
    QTRY_VERIFY(Child<QLabel>(&window, "LabelSpojeni")->isHidden());
    bench.print();
    const QImage whole = RenderPage(pdf);
    QVERIFY(!whole.isNull());
    QVERIFY(QFile::remove(pdf));
    for (const QString& page : QDir(config_->path()).entryList({QStringLiteral("page*.png")})) {
      QVERIFY(QFile::remove(config_->file(page)));
    }

    window.resize(window.minimumSize());
    auto* scroll = Child<QScrollArea>(&window, "ClientScroll");
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    bench.print();
    const QImage scrolled = RenderPage(pdf);
    QVERIFY(!scrolled.isNull());
    QCOMPARE(scrolled.size(), whole.size());
    // Only the stamp's seconds may differ.
    QVERIFY2(MeanDifference(scrolled, whole) < 0.5, qPrintable(QString::number(MeanDifference(scrolled, whole))));
  }

  void stampInEnglishAndCzechStaysElevenSeconds() {
    PrintBench bench(config_->file(QStringLiteral("sheet.pdf")));
    TFormHlav& window = *bench.window;
    auto* label = Child<QLabel>(&window, "LabelHlaseni");

    QVERIFY(label->isHidden());  // no message before the print
    QDateTime from = QDateTime::currentDateTime();
    bench.print();
    QDateTime to = QDateTime::currentDateTime();
    QVERIFY(label->text().startsWith(QStringLiteral("Date and Time of printing:  ")));
    QVERIFY2(StampOfBetween(label->text(), kEnglish, from, to), qPrintable(label->text()));
    QVERIFY(label->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(label->isVisible(), 500);  // the next tick shows it again
    QTest::qWait(10 * 55);                              // the stamp's countdown runs for many ticks more
    QVERIFY(label->isVisible());

    window.MenuCzechClick();
    from = QDateTime::currentDateTime();
    window.findChild<QAction*>(QStringLiteral("MenuPrint"))->trigger();
    to = QDateTime::currentDateTime();
    QVERIFY(label->text().startsWith(QStringLiteral("Datum a čas tisku:  ")));
    QVERIFY2(StampOfBetween(label->text(), kCzech, from, to), qPrintable(label->text()));
    QCOMPARE(label->palette().color(QPalette::Window), Face());
  }

  void languageWithoutStampKeepsTheLabelText() {
    PrintBench bench(config_->file(QStringLiteral("sheet.pdf")));
    TFormHlav& window = *bench.window;
    auto* label = Child<QLabel>(&window, "LabelHlaseni");
    bench.print();
    const QString earlier = label->text();
    QVERIFY(!earlier.isEmpty());
    QTest::qWait(1100);  // a new stamp would name another second
    window.session().storedChoices().languageId = 2;
    bench.print();
    QCOMPARE(label->text(), earlier);
    QVERIFY(label->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(label->isVisible(), 500);  // counted down anew
    QTest::qWait(10 * 55);
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), earlier);
    QVERIFY(QFileInfo::exists(config_->file(QStringLiteral("sheet.pdf"))));
    VerifyNormalAppearance(bench);
  }

  void failedPrintIsReportedAndTheWindowReturns() {
    const QString unwritable = config_->file(QStringLiteral("no such folder/sheet.pdf"));
    PrintBench bench(unwritable);
    QString text;
    AnswerMessageBox(QMessageBox::Ok, &text);
    bench.print();
    QVERIFY(text.startsWith(QStringLiteral("Printing failed: ")));
    QVERIFY2(text.contains(unwritable), qPrintable(text));
    QVERIFY(!QFileInfo::exists(unwritable));
    VerifyNormalAppearance(bench);
    QVERIFY(Child<QLabel>(bench.window.get(), "LabelHlaseni")->isHidden());
  }

  void withoutPrinterTheSheetCanBeSavedAsPdf() {
    if (PrintModule().hasDefaultPrinter()) QSKIP("a default printer is set up here");
    PrintBench bench({});
    const QString pdf = config_->file(QStringLiteral("chosen.pdf"));
    QString question;
    WhenModal([&question, pdf](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY2(box, "the no-printer question was expected");
      question = box->text();
      AnswerFileDialog(pdf);
      box->button(QMessageBox::Yes)->click();
    });
    bench.print();
    QCOMPARE(question, QStringLiteral("No default printer is set up. Save the printout as a PDF file instead?"));
    QVERIFY(!RenderPage(pdf).isNull());
    VerifyNormalAppearance(bench);

    // Declined: nothing printed, no stamp.
    QFile::remove(pdf);
    const QString before = Child<QLabel>(bench.window.get(), "LabelHlaseni")->text();
    AnswerMessageBox(QMessageBox::No);
    bench.print();
    QVERIFY(!QFileInfo::exists(pdf));
    QCOMPARE(Child<QLabel>(bench.window.get(), "LabelHlaseni")->text(), before);
    VerifyNormalAppearance(bench);
  }

 private:
  std::unique_ptr<ConfigFolder> config_;
};

}  // namespace zelmo

QTEST_MAIN(zelmo::PrintTest)
#include "print_test.moc"
