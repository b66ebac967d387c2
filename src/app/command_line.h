// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's command line, parsed with QCommandLineParser:
//   zelmo-tci [--port DEVICE] [--print-to FILE] [--recording FILE.csv]
//             [ENGLISH|CESKY|DEUTSCH] [FILE.ign]
// The first word may name the language, exactly so spelt; the word after it
// (or the first, when it names none) is a parameter file to open at start.
#include <QString>
#include <QStringList>

namespace zelmo {

struct CommandLine {
  bool help = false;
  bool version = false;
  QString error;          // why the line cannot be used; empty when it can
  QString port;           // --port: the device the selected COM number stands for
  QString printTo;        // --print-to: a PDF file for every printout
  QString recording;      // --recording: a ride to open in the viewer at start
  QStringList arguments;  // the words that are no options, in order
  QString file;           // the parameter file to open once the window shows
};

// arguments without the program's name; Qt's own options (-platform ...) taken out.
CommandLine ParseCommandLine(const QStringList& arguments);

// What --help prints.
QString CommandLineHelp();

}  // namespace zelmo
