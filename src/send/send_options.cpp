#include "send/send_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "send/send_messages.h"
#include "serial/port_choices.h"

namespace vx {
namespace {

// The handbook's page on this program; a page beside the program is named in full, from where
// the program runs.
QString handbookPage() {
  QString page = QStringLiteral(VORLANDEX_HANDBOOK_PAGE);
  if (!QDir::isRelativePath(page)) return page;
  return QDir::toNativeSeparators(QDir(QCoreApplication::applicationDirPath()).filePath(page));
}

// A function rather than a global: nothing is built before main().
QString description() {
  return QStringLiteral(
             "Sends a saved configuration pair (PAIR.cfg and the PAIR.bmp beside it) to one or more "
             "VORLANDEX\n"
             "ticket printers at once, as the window's \"Enviar Todas as Configurações Para Impressora\" "
             "does:\n"
             "settings, clock, the texts of buttons 1 to 4, logo. Each port is fed by its own writer at the\n"
             "protocol's own pace; a failing port never stops the others.\n"
             "\n"
             "Exit status: 0 when every port received everything, 1 when any port failed, 2 for bad\n"
             "arguments or a pair that does not open (nothing is sent then).\n"
             "\n"
             "--only clock needs no PAIR.cfg.\n"
             "\n"
             "Handbook: ") +
         handbookPage();
}
ParsedArguments refuse(const QString& why) {
  return ParsedArguments{
      std::nullopt, 2,
      (sendMessage(SendMessages::kFailure) + QLatin1Char('\n') + sendMessage(SendMessages::kTryHelp))
          .arg(why)};
}

bool isComName(const QString& port) { return comPortNumber(port.toUpper()) != 0; }

// Two names for one device would fight over it: the second open would fail.
QString deviceKey(const std::string& device) {
  const QString path = QString::fromStdString(device);
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

// Every option of the command line.
struct Options {
  const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help.")};
  const QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version.")};
  const QCommandLineOption port{{QStringLiteral("p"), QStringLiteral("port")},
                                QStringLiteral("A printer's port: a device path, or COM1..COM4 as the window "
                                               "resolves them. Repeat for more printers, fed at once."),
                                QStringLiteral("DEV")};
  const QCommandLineOption only{QStringLiteral("only"),
                                QStringLiteral("Send only these jobs, a comma-separated list of settings, "
                                               "clock, texts, logo (still in that order)."),
                                QStringLiteral("JOBS")};
  const QCommandLineOption noLogo{QStringLiteral("no-logo"),
                                  QStringLiteral("Everything but the logo, as \"Enviar sem logo\".")};
  const QCommandLineOption twoCopies{QStringLiteral("duas-vias"),
                                     QStringLiteral("Set \"Imprime 2 vias\" (the pair does not store it).")};
  const QCommandLineOption dryRun{QStringLiteral("dry-run"),
                                  QStringLiteral("Open no port: write the byte stream to --output.")};
  const QCommandLineOption output{
      {QStringLiteral("o"), QStringLiteral("output")},
      QStringLiteral("Dry run: the file for the byte stream, - for standard output."),
      QStringLiteral("FILE")};
  const QCommandLineOption timing{QStringLiteral("timing"),
                                  QStringLiteral("Dry run: print a line per transfer with its planned offset "
                                                 "in ms (to standard error when the bytes go to standard "
                                                 "output).")};
  const QCommandLineOption quiet{{QStringLiteral("q"), QStringLiteral("quiet")},
                                 QStringLiteral("No progress and no summary; only failures are reported.")};
  const QCommandLineOption json{
      QStringLiteral("json"), QStringLiteral("Write one JSON document with every port's and job's result to "
                                             "standard output, and nothing else there.")};
  const QCommandLineOption ifChanged{
      QStringLiteral("if-changed"),
      QStringLiteral("Send to each port only the jobs whose bytes differ from what "
                     "it last received completely from this program (its record); "
                     "the clock goes along with any of them.")};
  const QCommandLineOption force{
      QStringLiteral("force"), QStringLiteral("Send every job whatever the record says, and record it (for a "
                                              "swapped or reset printer).")};
  const QCommandLineOption trace{
      QStringLiteral("trace"),
      QStringLiteral("Append the serial ports' diagnostic trace to FILE: each device "
                     "opened and closed, every write with its time and byte count, "
                     "every error."),
      QStringLiteral("FILE")};

  void addTo(QCommandLineParser& parser) const {
    parser.addOptions({help, version, port, only, noLogo, twoCopies, dryRun, output, timing, quiet, json,
                       ifChanged, force, trace});
  }
};

// --help or --version, answered without looking at anything else.
std::optional<ParsedArguments> answerHelpOrVersion(const QCommandLineParser& parser, const Options& options) {
  if (parser.isSet(options.help)) {
    // The usage line names the program as it is run, whatever path started it.
    QString text = parser.helpText();
    const qsizetype end = text.indexOf(QLatin1String(" [options]"));
    if (text.startsWith(QLatin1String("Usage: ")) && end > 0)
      text.replace(7, end - 7, QStringLiteral("vorlandex-send"));
    return ParsedArguments{std::nullopt, 0, text};
  }
  if (parser.isSet(options.version))
    return ParsedArguments{std::nullopt, 0,
                           QStringLiteral("vorlandex-send %1").arg(QStringLiteral(VORLANDEX_VERSION))};
  return std::nullopt;
}

// --only and --no-logo into o.jobs; what is wrong with them, or empty.
QString readJobs(const QCommandLineParser& parser, const Options& options, SendOptions& o) {
  const bool picked = parser.isSet(options.only);
  if (picked) {
    o.jobs = JobsToSend{false, false, false, false};
    for (const QString& list : parser.values(options.only)) {
      for (const QString& raw : list.split(QLatin1Char(','))) {
        const QString name = raw.trimmed().toLower();
        if (name == QLatin1String("settings"))
          o.jobs.settings = true;
        else if (name == QLatin1String("clock"))
          o.jobs.clock = true;
        else if (name == QLatin1String("texts"))
          o.jobs.texts = true;
        else if (name == QLatin1String("logo"))
          o.jobs.logo = true;
        else
          return sendMessage(SendMessages::kUnknownJob).arg(raw.trimmed());
      }
    }
  }
  if (parser.isSet(options.noLogo)) {
    if (picked && o.jobs.logo) return sendMessage(SendMessages::kNoLogoWithOnlyLogo);
    o.jobs.logo = false;
    o.noLogo = !picked;
  }
  if (o.jobs == JobsToSend{false, false, false, false}) return sendMessage(SendMessages::kNoJobLeft);
  o.clockNamed = picked && o.jobs.clock;
  // The clock job sends the computer's time and nothing of the pair.
  if (o.pairPath.isEmpty() && o.jobs != JobsToSend{false, true, false, false})
    return sendMessage(SendMessages::kNoPair);
  return {};
}

// What a dry run may not have, or needs; empty when it is fine.
QString checkDryRun(const SendOptions& o) {
  if (!o.ports.isEmpty()) return sendMessage(SendMessages::kDryRunWithPort);
  if (o.output.isEmpty()) return sendMessage(SendMessages::kDryRunWithoutOutput);
  if (o.json || o.keepsRecord() || !o.traceFile.isEmpty())
    return sendMessage(SendMessages::kPortOptionsInDryRun);
  return {};
}

// What a run to ports may not have, or needs: at least one port, each device once. Empty when it
// is fine.
QString checkPortRun(const QCommandLineParser& parser, const Options& options, const SendOptions& o) {
  if (o.ports.isEmpty()) return sendMessage(SendMessages::kNoPort);
  if (parser.isSet(options.output)) return sendMessage(SendMessages::kOutputWithoutDryRun);
  if (o.timing) return sendMessage(SendMessages::kTimingWithoutDryRun);
  QSet<QString> seen;
  for (const QString& p : o.ports) {
    if (p.isEmpty()) return sendMessage(SendMessages::kPortWithoutDevice);
    const QString key = deviceKey(resolvePort(p));
    if (seen.contains(key)) return sendMessage(SendMessages::kPortTwice).arg(p);
    seen.insert(key);
  }
  return {};
}

}  // namespace

std::string resolvePort(const QString& port) {
  if (isComName(port)) return resolveComPort(comPortNumber(port.toUpper())).path.toStdString();
  return port.toStdString();
}

ParsedArguments parseSendArguments(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(description());
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const Options options;
  options.addTo(parser);
  parser.addPositionalArgument(QStringLiteral("PAIR.cfg"), QStringLiteral("The configuration file to send."));

  if (!parser.parse(arguments)) return refuse(parser.errorText());
  if (std::optional<ParsedArguments> answer = answerHelpOrVersion(parser, options)) return *answer;

  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1) return refuse(sendMessage(SendMessages::kSecondPair).arg(positional[1]));

  SendOptions o;
  o.pairPath = positional.value(0);
  o.json = parser.isSet(options.json);
  o.ifChanged = parser.isSet(options.ifChanged);
  o.force = parser.isSet(options.force);
  o.ports = parser.values(options.port);
  o.twoCopies = parser.isSet(options.twoCopies);
  o.dryRun = parser.isSet(options.dryRun);
  o.output = parser.value(options.output);
  o.timing = parser.isSet(options.timing);
  o.quiet = parser.isSet(options.quiet);
  o.traceFile = parser.value(options.trace);

  QString wrong = readJobs(parser, options, o);
  if (wrong.isEmpty() && o.json && o.quiet) wrong = sendMessage(SendMessages::kJsonWithQuiet);
  if (wrong.isEmpty() && parser.isSet(options.trace) && o.traceFile.isEmpty())
    wrong = sendMessage(SendMessages::kTraceWithoutFile);
  if (wrong.isEmpty()) wrong = o.dryRun ? checkDryRun(o) : checkPortRun(parser, options, o);
  if (!wrong.isEmpty()) return refuse(wrong);
  return ParsedArguments{std::move(o), 0, QString()};
}

}  // namespace vx
