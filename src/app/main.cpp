// The program entry: the window and the message loop.
#include <QApplication>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/close_on_signal.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/port_binding.h"
#include "serial/qt_serial_link.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // A logout or shutdown closes the window as its close command does; taken
  // before the window starts, the close then waits for the event loop.
  zelmo::CloseOnSignal closeOnSignal(zelmo::CloseAllAndQuit);
  const zelmo::CommandLine line = zelmo::SplitCommandLine(QApplication::arguments().mid(1));
  const auto configFiles = zelmo::FindConfigFiles(zelmo::ProcessEnvironment);
  zelmo::QtSerialLink link(zelmo::StartupPortMapping(configFiles, line.options.value(QStringLiteral("--port"))));
  zelmo::TFormHlav window(link, zelmo::WindowOptions{line.arguments, QApplication::applicationFilePath(),
                                                     line.options.value(QStringLiteral("--print-to")), configFiles});
  // Shown before the event loop runs: the port opens in its first pass, with
  // the window already on the screen.
  window.show();
#if defined(__GLIBC__)
  // Building the window leaves freed heap behind (the font configuration,
  // pictures drawn once); give it back once, after the first paint.
  QTimer::singleShot(0, [] { malloc_trim(0); });
#endif
  QApplication::exec();
  return 0;
}
