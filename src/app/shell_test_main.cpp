// Runs the test classes of the about box and the help command in one program.
#include <QApplication>

int RunAboutDialogTests(int argc, char** argv);
int RunHelpTests(int argc, char** argv);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int failures = RunAboutDialogTests(argc, argv);
  failures += RunHelpTests(argc, argv);
  return failures;
}
