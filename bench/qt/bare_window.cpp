// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the window's start-up and memory: a bare Qt Widgets main
// window of the same size, centred and shown the same way, with nothing in it.
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

#include "core/settings/settings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(zelmo::kDefaultWindowWidth, zelmo::kDefaultWindowHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    window.move((area.width() - window.width()) / 2, (area.height() - window.height()) / 2);
  }
  window.show();
  return app.exec();
}
