// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the window tests: a fresh configuration folder per test, a
// simulated unit on an in-process link, and answers to modal dialogs.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "sim/sim_link.h"
#include "sim/simulated_unit.h"

namespace zelmo::test {

// Points ZELMO_TCI_CONFIG_DIR at a new empty folder for its lifetime.
class ConfigFolder {
 public:
  ConfigFolder();
  ~ConfigFolder();
  QString path() const { return dir_.path(); }
  QString file(const QString& name) const { return dir_.filePath(name); }
  void write(const QString& name, const QByteArray& content) const;
  QByteArray read(const QString& name) const;

 private:
  QTemporaryDir dir_;
};

// How a Bench starts its unit, its line and its window; by default a unit
// fresh from the factory on a sound line, and a window told of nothing.
struct BenchSetup {
  QStringList arguments{};
  sim::UnitOptions unit{};
  sim::SimLinkOptions link{};
  sim::UnitMemory memory = sim::FactoryMemory();
  // The program's file the window is told of; empty, the test program's.
  QString programPath{};
  // The desktop's locale: English, whatever the machine running the tests says.
  QString desktopLanguage = QStringLiteral("en-GB");
  // A parameter file named on the command line.
  QString startFile{};
  // Where printouts go; empty, the printer.
  QString printTo{};
};

// A unit, the link to it on the real clock (the unit's saving takes its
// time), and a window on it, started from the test program's folder.
struct Bench {
  explicit Bench(BenchSetup setup = {});
  ~Bench();

  // Lets the window's timer run for about this many ticks of 55 ms.
  void runTicks(int ticks);

  sim::SimulatedUnit unit;
  sim::SimLink link;
  std::unique_ptr<TFormHlav> window;
};

// Calls answer with the first modal widget that shows up while the event loop
// runs, a few milliseconds from now.
void WhenModal(std::function<void(QWidget*)> answer);
// Presses the button of a message box.
void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr);
// Accepts a file dialog with that file name.
void AnswerFileDialog(const QString& file);

template <typename T>
T* Child(QWidget* window, const char* name) {
  return window->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace zelmo::test
