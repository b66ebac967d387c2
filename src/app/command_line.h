#pragma once
// The program's command line: options of the form "--name VALUE" come out
// first, what remains is handed on (its first word may name the language).
#include <QMap>
#include <QStringList>

namespace zelmo {

struct CommandLine {
  QMap<QString, QString> options;  // "--port" -> "/dev/ttyUSB0"
  QStringList arguments;           // the rest, in order
};

// arguments without the program name. An option at the very end gets an
// empty value.
CommandLine SplitCommandLine(const QStringList& arguments);

}  // namespace zelmo
