// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the window's start-up and memory: a bare Qt Widgets main
// window of the same size, centred and shown the same way, with nothing in it.
// Built a second time as label_window, with one line of text in it: what that
// costs over the bare window is what any window with text pays before it is
// shown (the font configuration, Qt's font database, a font engine and the
// shaping of the text), which tells how much of zelmo-tci's figures is its own.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
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
#ifdef ZELMO_WINDOW_WITH_LABEL
  window.setCentralWidget(new QLabel(QStringLiteral("Zelmo TCI")));
#endif
  window.show();
  return app.exec();
}
