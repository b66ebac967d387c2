// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdint>

#include "core/lang/texts.h"

namespace zelmo {

class AboutDialogTest : public QObject {
  Q_OBJECT

 private:
  std::uint8_t language_ = kEnglish;

  QLabel* Label(TFormAbout& box, const char* name) { return box.findChild<QLabel*>(QString::fromLatin1(name)); }

  QPushButton* Ok(TFormAbout& box) { return box.findChild<QPushButton*>(QStringLiteral("ButtonOk")); }

 private slots:
  void controlsSitAtTheirPlaces() {
    TFormAbout box([this] { return language_; });
    QCOMPARE(box.size(), QSize(342, 420));
    QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::white));

    struct Place {
      const char* name;
      int left;
      int top;
    };
    const Place places[] = {{"LabelAbout", 16, 24}, {"Image1", 32, 72},     {"Label2", 32, 180},
                            {"Label3", 32, 205},    {"Label4", 32, 230},    {"Label5", 32, 255},
                            {"Label9", 32, 291},    {"Label10", 32, 316},   {"LabelDate", 32, 350},
                            {"LabelTime", 32, 370}, {"LabelRsKey", 32, 391}};
    for (const Place& place : places) {
      QLabel* label = Label(box, place.name);
      QVERIFY2(label, place.name);
      QCOMPARE(label->pos(), QPoint(place.left, place.top));
      QVERIFY2(label->geometry().right() < 342 && label->geometry().bottom() < 420, place.name);
    }
    QCOMPARE(Label(box, "Image1")->size(), QSize(161, 81));
    const QRect ok = Ok(box)->geometry();
    QVERIFY(QRect(0, 0, 342, 420).contains(ok));
    for (const Place& place : places) QVERIFY2(!Label(box, place.name)->geometry().intersects(ok), place.name);
  }

  void fixedTextsAndFonts() {
    TFormAbout box([this] { return language_; });
    QCOMPARE(Label(box, "LabelAbout")->text(), QStringLiteral("Programm for setting of ignition"));
    QCOMPARE(Label(box, "LabelAbout")->font().pixelSize(), 16);
    QCOMPARE(Label(box, "LabelRsKey")->text(), QStringLiteral("Version - 61"));
    QCOMPARE(Ok(box)->text(), QStringLiteral("OK"));
    QCOMPARE(Ok(box)->font().pixelSize(), 23);
    for (const char* name : {"Label2", "Label3", "Label4", "Label5", "Label9", "Label10"}) {
      QVERIFY2(!Label(box, name)->text().isEmpty(), name);
      QCOMPARE(Label(box, name)->font().pixelSize(), 16);
    }
    QVERIFY(QRegularExpression(QStringLiteral("^[A-Z][a-z]{2} [ 123][0-9] [0-9]{4}$"))
                .match(Label(box, "LabelDate")->text())
                .hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$"))
                .match(Label(box, "LabelTime")->text())
                .hasMatch());
  }

  void logoIsDrawn() {
    TFormAbout box([this] { return language_; });
    const QImage logo = Label(box, "Image1")->pixmap().toImage();
    QCOMPARE(logo.size(), QSize(161, 81));
    int coloured = 0;
    for (int y = 0; y < logo.height(); ++y) {
      for (int x = 0; x < logo.width(); ++x) {
        coloured += logo.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
      }
    }
    QVERIFY(coloured > 161 * 81 / 10);
  }

  void centredOnTheScreenAtCreation() {
    TFormAbout box([this] { return language_; });
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(box.pos(), QPoint(screen.width() / 2 - 342 / 2, screen.height() / 2 - 420 / 2));
  }

  void frameHasOnlyACloseButton() {
    TFormAbout box([this] { return language_; });
    QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(box.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(box.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(box.windowFlags() & Qt::WindowContextHelpButtonHint));
  }

  void captionFollowsTheLanguageAtEachShowing() {
    TFormAbout box([this] { return language_; });
    const std::pair<std::uint8_t, QString> cases[] = {
        {kEnglish, QStringLiteral("About Zelmo_TCI")},
        {kCzech, QStringLiteral("O programu Zelmo_TCI")},
        {kGerman, QString::fromUtf8("Über Programm Zelmo_TCI")},
        {kFrench, QStringLiteral("Information Zelmo_TCI")},
    };
    for (const auto& [language, caption] : cases) {
      language_ = language;
      box.open();
      QCOMPARE(box.windowTitle(), caption);
      box.close();
    }
    language_ = kEnglish;
  }

  void licenceInTheCurrentLanguageFitsTheBox() {
    TFormAbout box([this] { return language_; });
    const std::pair<std::uint8_t, QString> cases[] = {
        {kEnglish, QStringLiteral("GNU General Public License, version 3 or later")},
        {kCzech, QString::fromUtf8("GNU General Public License, verze 3 nebo pozdější")},
        {kGerman, QString::fromUtf8("GNU General Public License, Version 3 oder später")},
    };
    for (const auto& [language, name] : cases) {
      language_ = language;
      box.open();
      QLabel* licence = Label(box, "Label3");
      QVERIFY(licence->text().endsWith(QStringLiteral(": GPL-3.0-or-later")));
      QCOMPARE(licence->toolTip(), name);
      QVERIFY2(licence->geometry().right() < 342, qPrintable(licence->text()));
      box.close();
    }
    QCOMPARE(Label(box, "Label3")->text(), QStringLiteral("Lizenz: GPL-3.0-or-later"));
    language_ = kEnglish;
  }

  void clickOnOkEndsTheModalShowing() {
    TFormAbout box([this] { return language_; });
    QPushButton* ok = Ok(box);
    QVERIFY(ok);
    QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    QTimer::singleShot(5000, &box, [&box] { box.done(-1); });  // never hang the run
    QCOMPARE(box.exec(), int(QDialog::Accepted));
    QVERIFY(!box.isVisible());
  }

  void enterOrSpaceOnTheKeyboardEndsTheShowing() {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
      TFormAbout box([this] { return language_; });
      QVERIFY(Ok(box) && Ok(box)->isDefault());
      QTimer::singleShot(0, &box, [&box, key] {
        QWidget* target = box.focusWidget() ? box.focusWidget() : &box;
        QTest::keyClick(target, key);
      });
      QTimer::singleShot(5000, &box, [&box] { box.done(-1); });
      QCOMPARE(box.exec(), int(QDialog::Accepted));
    }
  }

  void rightClickOnOkDoesNotClose() {
    TFormAbout box([this] { return language_; });
    box.open();
    QTest::mouseClick(Ok(box), Qt::RightButton);
    QVERIFY(box.isVisible());
    box.close();
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::AboutDialogTest)

#include "about_dialog_test.moc"
