// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace zelmo::test {

ConfigFolder::ConfigFolder() { qputenv("ZELMO_TCI_CONFIG_DIR", dir_.path().toUtf8()); }

ConfigFolder::~ConfigFolder() { qunsetenv("ZELMO_TCI_CONFIG_DIR"); }

void ConfigFolder::write(const QString& name, const QByteArray& content) const {
  QFile f(file(name));
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(content);
}

QByteArray ConfigFolder::read(const QString& name) const {
  QFile f(file(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

Bench::Bench(BenchSetup setup) : unit(setup.unit, setup.memory), link(unit, sim::SteadyClock(), setup.link) {
  if (setup.programPath.isEmpty()) setup.programPath = QCoreApplication::applicationFilePath();
  window = std::make_unique<TFormHlav>(
      link, WindowOptions{std::move(setup.arguments), setup.programPath, setup.printTo,
                          FindConfigFiles(ProcessEnvironment), setup.desktopLanguage, std::move(setup.startFile)});
}

Bench::~Bench() = default;

void Bench::runTicks(int ticks) { QTest::qWait(ticks * 55 + 10); }

void WhenModal(std::function<void(QWidget*)> answer) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
      poll->stop();
      poll->deleteLater();
      answer(modal);
    }
  });
  poll->start();
}

void AnswerMessageBox(QMessageBox::StandardButton button, QString* text) {
  WhenModal([button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY2(box, "a message box was expected");
    if (text) *text = box->text();
    box->button(button)->click();
  });
}

void AnswerFileDialog(const QString& file) {
  WhenModal([file](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY2(dialog, "a file dialog was expected");
    dialog->selectFile(file);
    // As the OK button does, without the dialog's own look at the folder.
    static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
  });
}

}  // namespace zelmo::test
