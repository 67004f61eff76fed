#pragma once
// The configurator's command line: `vorlandex [--lang pt|en|es] [--handbook] [FILE.cfg]`, as a
// file manager starts it for a configuration file (--handbook: the handbook alone, as the
// desktop's menu entry for it starts it), plus --help and --version as Qt's QCommandLineParser
// prints them. The language itself is read before the parser runs (translations.h), so that the
// help is in it.

#include <QString>

class QCoreApplication;

namespace vx {

struct CommandLine {
  QString configFile;  // absolute path of the pair to open at start-up; empty for none
  bool handbook = false;  // show the handbook's contents alone, no configuration window
};

// True when the arguments ask for help or the version, which are answered without a display
// (before any window system is needed).
bool asksForHelpOrVersion(int argc, char** argv);

// Names the application and its version, reads `app`'s arguments, and (as QCommandLineParser
// does) prints help, the version or an error and ends the program with 0, 0 or 1.
CommandLine processCommandLine(const QCoreApplication& app);

// The file a FILE argument names: a path (made absolute) or a file: URL.
QString configFileArgument(const QString& argument);

}  // namespace vx
