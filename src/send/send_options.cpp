#include "send/send_options.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QSet>

#include "serial/port_choices.h"

namespace vx {
namespace {

const QString kDescription = QStringLiteral(
    "Sends a saved configuration pair (PAIR.cfg and the PAIR.bmp beside it) to one or more VORLANDEX\n"
    "ticket printers at once, as the window's \"Enviar Todas as Configurações Para Impressora\" does:\n"
    "settings, clock, the texts of buttons 1 to 4, logo. Each port is fed by its own writer at the\n"
    "protocol's own pace; a failing port never stops the others.\n"
    "\n"
    "Exit status: 0 when every port received everything, 1 when any port failed, 2 for bad\n"
    "arguments or a pair that does not open (nothing is sent then).\n"
    "\n"
    "--only clock needs no PAIR.cfg.");

ParsedArguments refuse(const QString& why) {
  return ParsedArguments{std::nullopt, 2, QStringLiteral("vorlandex-send: %1\nTry 'vorlandex-send --help'.").arg(why)};
}

bool isComName(const QString& port) { return comPortNumber(port.toUpper()) != 0; }

// Two names for one device would fight over it: the second open would fail.
QString deviceKey(const std::string& device) {
  const QString path = QString::fromStdString(device);
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

}  // namespace

std::string resolvePort(const QString& port) {
  if (isComName(port)) return resolveComPort(comPortNumber(port.toUpper())).path.toStdString();
  return port.toStdString();
}

ParsedArguments parseSendArguments(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(kDescription);
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
  const QCommandLineOption port({QStringLiteral("p"), QStringLiteral("port")},
                                QStringLiteral("A printer's port: a device path, or COM1..COM4 as the window "
                                               "resolves them. Repeat for more printers, fed at once."),
                                QStringLiteral("DEV"));
  const QCommandLineOption only(QStringLiteral("only"),
                                QStringLiteral("Send only these jobs, a comma-separated list of settings, "
                                               "clock, texts, logo (still in that order)."),
                                QStringLiteral("JOBS"));
  const QCommandLineOption noLogo(QStringLiteral("no-logo"),
                                  QStringLiteral("Everything but the logo, as \"Enviar sem logo\"."));
  const QCommandLineOption twoCopies(QStringLiteral("duas-vias"),
                                    QStringLiteral("Set \"Imprime 2 vias\" (the pair does not store it)."));
  const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                  QStringLiteral("Open no port: write the byte stream to --output."));
  const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                  QStringLiteral("Dry run: the file for the byte stream, - for standard output."),
                                  QStringLiteral("FILE"));
  const QCommandLineOption timing(QStringLiteral("timing"),
                                  QStringLiteral("Dry run: print a line per transfer with its planned offset "
                                                 "in ms (to standard error when the bytes go to standard "
                                                 "output)."));
  const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")},
                                 QStringLiteral("No progress and no summary; only failures are reported."));
  const QCommandLineOption json(QStringLiteral("json"),
                                QStringLiteral("Write one JSON document with every port's and job's result to "
                                               "standard output, and nothing else there."));
  const QCommandLineOption ifChanged(QStringLiteral("if-changed"),
                                     QStringLiteral("Send to each port only the jobs whose bytes differ from what "
                                                    "it last received completely from this program (its record); "
                                                    "the clock goes along with any of them."));
  const QCommandLineOption force(QStringLiteral("force"),
                                 QStringLiteral("Send every job whatever the record says, and record it (for a "
                                                "swapped or reset printer)."));
  parser.addOptions({help, version, port, only, noLogo, twoCopies, dryRun, output, timing, quiet, json, ifChanged,
                     force});
  parser.addPositionalArgument(QStringLiteral("PAIR.cfg"), QStringLiteral("The configuration file to send."));

  if (!parser.parse(arguments)) return refuse(parser.errorText());
  if (parser.isSet(help)) {
    // The usage line names the program as it is run, whatever path started it.
    QString text = parser.helpText();
    const qsizetype end = text.indexOf(QLatin1String(" [options]"));
    if (text.startsWith(QLatin1String("Usage: ")) && end > 0) text.replace(7, end - 7, QStringLiteral("vorlandex-send"));
    return ParsedArguments{std::nullopt, 0, text};
  }
  if (parser.isSet(version))
    return ParsedArguments{std::nullopt, 0, QStringLiteral("vorlandex-send %1").arg(QStringLiteral(VORLANDEX_VERSION))};

  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1)
    return refuse(QStringLiteral("one configuration file at a time (also got \"%1\")").arg(positional[1]));

  SendOptions o;
  o.pairPath = positional.value(0);
  o.json = parser.isSet(json);
  o.ifChanged = parser.isSet(ifChanged);
  o.force = parser.isSet(force);
  o.ports = parser.values(port);
  o.twoCopies = parser.isSet(twoCopies);
  o.dryRun = parser.isSet(dryRun);
  o.output = parser.value(output);
  o.timing = parser.isSet(timing);
  o.quiet = parser.isSet(quiet);

  if (parser.isSet(only)) {
    o.jobs = JobsToSend{false, false, false, false};
    for (const QString& list : parser.values(only)) {
      for (const QString& raw : list.split(QLatin1Char(','))) {
        const QString name = raw.trimmed().toLower();
        if (name == QLatin1String("settings")) o.jobs.settings = true;
        else if (name == QLatin1String("clock")) o.jobs.clock = true;
        else if (name == QLatin1String("texts")) o.jobs.texts = true;
        else if (name == QLatin1String("logo")) o.jobs.logo = true;
        else
          return refuse(QStringLiteral("--only: unknown job \"%1\" (settings, clock, texts, logo)").arg(raw.trimmed()));
      }
    }
  }
  if (parser.isSet(noLogo)) {
    if (parser.isSet(only) && o.jobs.logo) return refuse(QStringLiteral("--no-logo contradicts --only logo"));
    o.jobs.logo = false;
    o.noLogo = !parser.isSet(only);
  }
  if (o.jobs == JobsToSend{false, false, false, false}) return refuse(QStringLiteral("no job left to send"));
  o.clockNamed = parser.isSet(only) && o.jobs.clock;
  // The clock job sends the computer's time and nothing of the pair.
  if (o.pairPath.isEmpty() && o.jobs != JobsToSend{false, true, false, false})
    return refuse(QStringLiteral("no configuration file given (only --only clock needs none)"));
  if (o.json && o.quiet) return refuse(QStringLiteral("--json and --quiet exclude each other"));

  if (o.dryRun) {
    if (!o.ports.isEmpty()) return refuse(QStringLiteral("--dry-run opens no port; leave out --port"));
    if (o.output.isEmpty()) return refuse(QStringLiteral("--dry-run needs --output FILE (- for standard output)"));
    if (o.json || o.keepsRecord())
      return refuse(QStringLiteral("--json, --if-changed and --force are for sending to ports, not --dry-run"));
  } else {
    if (o.ports.isEmpty()) return refuse(QStringLiteral("no --port given (or --dry-run)"));
    if (parser.isSet(output)) return refuse(QStringLiteral("--output is for --dry-run"));
    if (o.timing) return refuse(QStringLiteral("--timing is for --dry-run"));
    QSet<QString> seen;
    for (const QString& p : o.ports) {
      if (p.isEmpty()) return refuse(QStringLiteral("--port needs a device"));
      const QString key = deviceKey(resolvePort(p));
      if (seen.contains(key)) return refuse(QStringLiteral("--port %1 names a device already given").arg(p));
      seen.insert(key);
    }
  }
  return ParsedArguments{std::move(o), 0, QString()};
}

}  // namespace vx
