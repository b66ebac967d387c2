// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGHUP and SIGINT close the window as its close command does,
// also while a modal box is open or a transfer runs.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <csignal>

#include <unistd.h>

#include "app/close_on_signal.h"
#include "app/test_support.h"
#include "core/settings/shadow_file.h"

namespace zelmo {

using test::Bench;
using test::Child;
using test::ConfigFolder;

class CloseSignalTest : public QObject {
  Q_OBJECT

 private slots:
  void eachSignalClosesOnceAndKeepsATypedValue() {
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
      ConfigFolder config;
      Bench bench;
      bench.window->show();
      int closes = 0;
      CloseOnSignal closer([&] {
        ++closes;
        bench.window->close();
      });
      QVERIFY(closer.active());
      QTRY_VERIFY(bench.link.isOpen());
      Child<QLineEdit>(bench.window.get(), "EditBaseAdv")->setText(QStringLiteral("12"));
      QCOMPARE(::kill(::getpid(), signalNumber), 0);
      QTRY_VERIFY(!bench.window->isVisible());
      QCOMPARE(closes, 1);
      QVERIFY(!bench.link.isOpen());
      QCOMPARE(bench.window->session().image().baseAdvance(), 12);
      ParameterImage saved;
      QVERIFY(ReadShadowFile(config.read(QStringLiteral("_Zelmo_TCI.ini")).toStdString(), saved) > 0);
      QCOMPARE(saved.baseAdvance(), 12);
      QVERIFY(config.read(QStringLiteral("Zelmo_TCI.ini")).contains("[FORM_HLAV]"));
    }
  }

  void aTransferInProgressIsAbandoned() {
    ConfigFolder config;
    Bench bench;
    bench.window->show();
    CloseOnSignal closer([&] { bench.window->close(); });
    QTRY_VERIFY(bench.link.isOpen());
    QTRY_VERIFY(Child<QLabel>(bench.window.get(), "LabelSpojeni")->isHidden());
    Child<QAction>(bench.window.get(), "MenuRead")->trigger();
    QCOMPARE(::kill(::getpid(), SIGTERM), 0);
    QTRY_VERIFY(!bench.window->isVisible());
    QVERIFY(!bench.link.isOpen());
    QVERIFY(config.read(QStringLiteral("Zelmo_TCI.ini")).contains("[FORM_HLAV]"));
    // No tick reopens the port to go on with it.
    bench.runTicks(4);
    QVERIFY(!bench.link.isOpen());
  }

  // Last: the event loop is told to end, as it is in the program.
  void aModalBoxIsDismissedBeforeTheClose() {
    ConfigFolder config;
    Bench bench;
    bench.window->show();
    CloseOnSignal closer(CloseAllAndQuit);
    bool boxSeen = false;
    test::WhenModal([&](QWidget*) {
      boxSeen = true;
      ::kill(::getpid(), SIGTERM);
    });
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    QTimer::singleShot(0, bench.window.get(), [&] {
      answer = QMessageBox::question(bench.window.get(), QStringLiteral("t"), QStringLiteral("q?"));
    });
    QTRY_VERIFY(boxSeen);
    QTRY_VERIFY(!bench.window->isVisible());
    // Dismissed as Escape would: never the box's Yes.
    QVERIFY(answer != QMessageBox::Yes);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(config.read(QStringLiteral("_Zelmo_TCI.ini")).size() > 0);
  }
};

}  // namespace zelmo

QTEST_MAIN(zelmo::CloseSignalTest)
#include "close_signal_test.moc"
