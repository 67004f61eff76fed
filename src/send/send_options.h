#pragma once
// The command line of vorlandex-send: what to send, where, and how to report it. Parsing
// opens no file and no port; it looks up how COM1..COM4 resolve (environment, the window's
// stored choices) and where device paths lead, so that one device is not named twice.

#include <QString>
#include <QStringList>
#include <optional>

#include "protocol/job_plan.h"

namespace vx {

struct SendOptions {
  QString pairPath;   // the .cfg file; the .bmp beside it is read as "Abrir" reads it. Empty
                      // only when the clock is the one job: it needs no pair.
  QStringList ports;  // each a device path or COM1..COM4, as given
  JobsToSend jobs;
  bool noLogo = false;  // --no-logo: "Enviar sem logo" (the pair's logo-off state may still send one)
  bool twoCopies = false;  // "Imprime 2 vias", which the pair does not store
  bool dryRun = false;
  QString output;  // dry run: the byte stream's file, "-" for standard output
  bool timing = false;  // dry run: a line per transfer with its planned offset
  bool quiet = false;
  bool json = false;      // one JSON document on standard output, nothing else there
  bool ifChanged = false;  // send only the jobs whose bytes differ from the port's record
  bool force = false;      // send every picked job whatever the record says, and record them
  bool clockNamed = false;  // --only names the clock: it goes even when nothing else changed
  QString traceFile;        // --trace: the serial ports' diagnostic trace is appended to it
  // The record of what each port last received is read and written.
  bool keepsRecord() const { return ifChanged || force; }
};

struct ParsedArguments {
  std::optional<SendOptions> options;  // set when there is something to send
  int exitCode = 0;  // when options is empty: 0 after --help or --version, 2 for bad arguments
  QString text;      // when options is empty: the help, the version, or what is wrong
};

// `arguments` as QCoreApplication::arguments() gives them, the program's name first.
ParsedArguments parseSendArguments(const QStringList& arguments);

// The device a --port names: COM1..COM4 (any case) resolve as the window resolves them;
// anything else is a path.
std::string resolvePort(const QString& port);

}  // namespace vx
