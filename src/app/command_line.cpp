// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "core/lang/texts.h"

namespace zelmo {

CommandLine ParseCommandLine(const QStringList& arguments) {
  CommandLine line;
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")}, QString());
  const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("DEVICE"));
  const QCommandLineOption printTo(QStringLiteral("print-to"), QString(), QStringLiteral("FILE"));
  const QCommandLineOption recording(QStringLiteral("recording"), QString(), QStringLiteral("FILE"));
  parser.addOptions({help, version, port, printTo, recording});
  // The parser skips the first word as the program's name.
  const bool ok = parser.parse(QStringList{QStringLiteral("zelmo-tci")} + arguments);
  line.help = parser.isSet(help);
  line.version = parser.isSet(version);
  if (!ok) {
    line.error = parser.errorText();
    return line;
  }
  line.port = parser.value(port);
  line.printTo = parser.value(printTo);
  if (parser.isSet(recording)) line.recording = QFileInfo(parser.value(recording)).absoluteFilePath();
  line.arguments = parser.positionalArguments();
  qsizetype next = 0;
  if (!line.arguments.isEmpty() && LanguageFromArgument(line.arguments.first().toStdString())) next = 1;
  // The caption shows the full path, as after the Open dialog.
  if (next < line.arguments.size()) line.file = QFileInfo(line.arguments[next++]).absoluteFilePath();
  if (next < line.arguments.size()) {
    line.error = QStringLiteral("Unexpected argument '%1'.").arg(line.arguments[next]);
  }
  return line;
}

QString CommandLineHelp() {
  return QStringLiteral(
      "usage: zelmo-tci [OPTION]... [ENGLISH | CESKY | DEUTSCH] [FILE.ign]\n"
      "\n"
      "Edit the parameters of a Zelmo TCI ignition unit, read, verify and program\n"
      "them over a serial port, and watch the unit's live values.\n"
      "\n"
      "  ENGLISH, CESKY, DEUTSCH  start in that language (spelt exactly so)\n"
      "  FILE.ign                 open this parameter file, as File > Open does\n"
      "\n"
      "options:\n"
      "      --port DEVICE        let the COM number the settings select stand for\n"
      "                           DEVICE (/dev/ttyUSB0) in this run\n"
      "      --print-to FILE      send every printout of the run to the PDF file FILE\n"
      "      --recording FILE     open the recorded ride FILE (CSV of live values)\n"
      "                           in the ride viewer, as File > Open recording does\n"
      "  -h, --help               show this help and exit\n"
      "  -V, --version            show the program's version and licence and exit\n"
      "\n"
      "Options take their value as --port DEVICE or --port=DEVICE; -- ends the\n"
      "options. Qt's own options, such as -platform, are taken as well.\n");
}

}  // namespace zelmo
