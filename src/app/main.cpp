// The program entry: the window, the about box, the message loop.
#include <QApplication>

#include "app/about_dialog.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/port_binding.h"
#include "serial/qt_serial_link.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const zelmo::CommandLine line = zelmo::SplitCommandLine(QApplication::arguments().mid(1));
  const auto configFiles = zelmo::FindConfigFiles(zelmo::ProcessEnvironment);
  zelmo::QtSerialLink link(zelmo::StartupPortMapping(configFiles, line.options.value(QStringLiteral("--port"))));
  zelmo::TFormHlav window(link, zelmo::WindowOptions{line.arguments, QApplication::applicationFilePath(),
                                                     line.options.value(QStringLiteral("--print-to")), configFiles});
  zelmo::TFormAbout about([&window] { return window.session().choices().languageId; }, &window);
  window.setAboutBox(&about);
  window.show();
  QApplication::exec();
  return 0;
}
