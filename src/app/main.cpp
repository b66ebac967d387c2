// SPDX-License-Identifier: GPL-3.0-or-later
// The program entry: the window and the message loop.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/close_on_signal.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/port_binding.h"
#include "app/style_without_image_plugins.h"
#include "program_version.h"
#include "serial/qt_serial_link.h"

namespace {

#if defined(__GLIBC__)
// Returns the heap's free memory to the system once, in the event loop's pass
// after the window's first paint.
class TrimAfterFirstPaint : public QObject {
 public:
  explicit TrimAfterFirstPaint(QWidget& window) { window.installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, [] { malloc_trim(0); });
    }
    return false;
  }
};
#endif

void Print(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

}  // namespace

int main(int argc, char** argv) {
  // Help and version need no display: they are answered before the
  // application connects to one. Qt's own options are not known here, and
  // their errors wait for the full parse below.
  {
    QStringList raw;
    for (int i = 1; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    const zelmo::CommandLine early = zelmo::ParseCommandLine(raw);
    if (early.help) {
      Print(stdout, zelmo::CommandLineHelp());
      return 0;
    }
    if (early.version) {
      Print(stdout, QString::fromStdString(zelmo::VersionText("zelmo-tci")));
      return 0;
    }
  }
  QApplication application(argc, argv);
  QApplication::setStyle(new zelmo::StyleWithoutImagePlugins);
  // A logout or shutdown closes the window as its close command does; taken
  // before the window starts, the close then waits for the event loop.
  zelmo::CloseOnSignal closeOnSignal(zelmo::CloseAllAndQuit);
  const zelmo::CommandLine line = zelmo::ParseCommandLine(QApplication::arguments().mid(1));
  if (!line.error.isEmpty()) {
    Print(stderr, QStringLiteral("zelmo-tci: %1\nTry 'zelmo-tci --help' for more information.\n").arg(line.error));
    return 2;
  }
  const auto configFiles = zelmo::FindConfigFiles(zelmo::ProcessEnvironment);
  zelmo::QtSerialLink link(zelmo::StartupPortMapping(configFiles, line.port));
  zelmo::WindowOptions options{line.arguments, QApplication::applicationFilePath(), line.printTo, configFiles};
  options.startFile = line.file;
  options.recordingFile = line.recording;
  zelmo::TFormHlav window(link, std::move(options));
  // Shown before the event loop runs: the port opens in its first pass, with
  // the window already on the screen.
  window.show();
#if defined(__GLIBC__)
  // Building and first painting the window leave freed heap behind (the font
  // configuration, glyphs and pictures drawn once); give it back once the
  // first paint is done.
  TrimAfterFirstPaint trim(window);
#endif
  QApplication::exec();
  return 0;
}
