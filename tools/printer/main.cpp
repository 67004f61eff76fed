// vorlandex-printer: a virtual VORLANDEX ticket printer on a pseudo-terminal (or a serial
// device). Its first line of output names the port to give the configurator,
// "VORLANDEX_COM1=<path>"; the second, a note, says how closely it can judge the spacing of
// the bytes; then one line per transfer and per problem on the line, until SIGINT or
// SIGTERM. With --ticket-dir it keeps DIR/button1.png .. button4.png up to date.
// With --decode FILE it decodes a byte stream written by vorlandex-send --dry-run --output
// instead (the one thing it does on Windows, where there is no pseudo-terminal).

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <csignal>
#include <exception>
#include <cstdio>
#include <string>
#include <variant>

#include "model/shown_path.h"
#include "printer/listening_line.h"
#include "printer/ticket.h"
#include "printer/virtual_printer.h"
#include "protocol/monotonic_clock.h"
#include "send/console.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop() { stopRequested = 1; }

std::int64_t monotonicUs() { return vx::monotonicNs() / 1000; }

// Spacing is judged on arrival times. A pseudo-terminal's bytes reach us through a kernel
// worker that adds up to 4 ms of jitter of its own, so only a generous slack tells a sender's
// fault from it; a real line has no such worker.
constexpr double kPtySlackMs = 2.0;
constexpr double kDeviceSlackMs = 0.5;

const char kDescription[] =
    "Virtual VORLANDEX ticket printer: decodes every transfer on the line, checks its framing and\n"
    "its spacing (100 ms after a register frame, 12 ms between data bytes), keeps the printer's\n"
    "state and renders the tickets.\n"
    "\n"
    "Spacing is judged on the times the bytes arrive here, with a slack for the line's own jitter.\n"
    "On its own pseudo-terminal (the default) the kernel hands the bytes over through a worker\n"
    "thread that adds up to +-4 ms of jitter, so the slack is 2 ms: a real fault of a few\n"
    "milliseconds shows, a smaller one cannot be told from that jitter (to see it, trace the\n"
    "sender's write() calls, e.g. perf trace -e write). On a serial device (--device) the slack\n"
    "is 0.5 ms; an adapter's own latency still blurs what is under that.\n"
    "\n"
    "--decode FILE decodes the bytes of a file written by vorlandex-send --dry-run --output\n"
    "instead: the same lines, content and framing only (a file holds no times, so the spacing is\n"
    "not judged); exit status 1 when the printer found a problem. On Windows that is the one mode.";

void printLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// What the command line asks for.
struct Settings {
  bool onDevice = false;
  std::string device;  // with onDevice
  int com = 1;
  double slackMs = kPtySlackMs;
  QString ticketDir;  // empty: no tickets rendered
  bool renderEachTransfer = false;
  QString decodeFile;  // set: decode this file instead of listening
};

// The settings of the command line, or the exit status for a bad one (after saying why).
std::variant<Settings, int> readSettings(QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromLatin1(kDescription));
  parser.addHelpOption();
  const QCommandLineOption deviceOption(QStringLiteral("device"),
                                        QStringLiteral("Listen on this serial device instead of a new pty."),
                                        QStringLiteral("path"));
  const QCommandLineOption comOption(QStringLiteral("com"),
                                     QStringLiteral("Port number 1..4 in the first line."),
                                     QStringLiteral("n"), QStringLiteral("1"));
  const QCommandLineOption ticketOption(QStringLiteral("ticket-dir"),
                                        QStringLiteral("Render button<N>.png into this folder."),
                                        QStringLiteral("dir"));
  const QCommandLineOption onExitOption(QStringLiteral("render-on-exit"),
                                        QStringLiteral("Render the tickets only when stopping."));
  const QCommandLineOption slackOption(
      QStringLiteral("slack-ms"),
      QStringLiteral("Arrival jitter allowed on the minimum spacings (default 2 ms on the pseudo-terminal, "
                     "0.5 ms on a --device)."),
      QStringLiteral("ms"));
  const QCommandLineOption decodeOption(
      QStringLiteral("decode"),
      QStringLiteral("Decode the byte stream in this file (vorlandex-send --dry-run --output) instead of "
                     "listening on a line; the spacing is not judged."),
      QStringLiteral("file"));
  parser.addOptions({deviceOption, comOption, ticketOption, onExitOption, slackOption, decodeOption});
  parser.process(app);

  Settings settings;
  settings.decodeFile = parser.value(decodeOption);
  if (parser.isSet(decodeOption)) {
    if (settings.decodeFile.isEmpty()) {
      std::fprintf(stderr, "vorlandex-printer: --decode needs a file\n");
      return 2;
    }
    if (parser.isSet(deviceOption) || parser.isSet(comOption) || parser.isSet(slackOption)) {
      std::fprintf(stderr, "vorlandex-printer: --decode reads a file: --device, --com and --slack-ms are for a line\n");
      return 2;
    }
  } else if (!vx::printer::ListeningLine::available()) {
    std::fprintf(stderr,
                 "vorlandex-printer: on this system the printer cannot listen on a line; decode a file written "
                 "by vorlandex-send --dry-run --output with --decode FILE\n");
    return 2;
  }
  settings.com = parser.value(comOption).toInt();
  if (settings.com < 1 || settings.com > 4) {
    std::fprintf(stderr, "vorlandex-printer: --com takes 1 to 4\n");
    return 2;
  }
  bool slackOk = true;
  settings.onDevice = parser.isSet(deviceOption);
  settings.device = parser.value(deviceOption).toStdString();
  settings.slackMs = parser.isSet(slackOption) ? parser.value(slackOption).toDouble(&slackOk)
                     : settings.onDevice       ? kDeviceSlackMs
                                               : kPtySlackMs;
  if (!slackOk || settings.slackMs < 0 || settings.slackMs > 50) {
    std::fprintf(stderr, "vorlandex-printer: --slack-ms takes 0 to 50\n");
    return 2;
  }
  settings.ticketDir = parser.value(ticketOption);
  if (parser.isSet(onExitOption) && settings.ticketDir.isEmpty()) {
    std::fprintf(stderr, "vorlandex-printer: --render-on-exit needs --ticket-dir\n");
    return 2;
  }
  settings.renderEachTransfer = !settings.ticketDir.isEmpty() && !parser.isSet(onExitOption);
  return settings;
}

void announce(const Settings& settings, const vx::printer::ListeningLine& line) {
  std::printf("VORLANDEX_COM%d=%s\n", settings.com, line.path().c_str());
  std::printf(settings.onDevice
                  ? "note: spacing judged on arrival times with %.1f ms of slack; what an adapter's own "
                    "latency blurs under that is not seen\n"
                  : "note: spacing judged on arrival times with %.1f ms of slack for the pseudo-terminal's "
                    "own jitter (up to 4 ms); a smaller fault is not seen here, trace the sender's write() "
                    "calls for that\n",
              settings.slackMs);
  std::fflush(stdout);
}

void renderTickets(const vx::printer::VirtualPrinter& printer, const QString& dir, std::int64_t nowUs) {
  if (!vx::printer::writeTickets(printer.state(), dir, printer.state().clock.at(nowUs)))
    printLine("problem: cannot write the tickets to " + vx::shownPath(dir).toStdString());
}

// Feeds the printer every byte of the line until a stop request or the line's end; the exit
// status.
int listenOnLine(const Settings& settings, vx::printer::ListeningLine& line) {
  vx::printer::VirtualPrinter printer([](const std::string& text, bool) { printLine(text); },
                                      static_cast<std::int64_t>(settings.slackMs * 1000));
  int status = 0;
  std::size_t rendered = 0;
  unsigned char buffer[4096];
  while (!stopRequested) {
    const long n = line.read(buffer, sizeof buffer, 100);
    const std::int64_t now = monotonicUs();
    if (n < 0) {
      status = 1;
      break;
    }
    for (long i = 0; i < n; ++i) printer.feed(buffer[i], now);
    printer.poll(now);
    if (settings.renderEachTransfer && printer.transfers().size() != rendered) {
      rendered = printer.transfers().size();
      renderTickets(printer, settings.ticketDir, monotonicUs());
    }
  }
  printer.finish();
  if (!settings.ticketDir.isEmpty()) renderTickets(printer, settings.ticketDir, monotonicUs());
  return status;
}

// Decodes a byte stream from a file: the lines the printer would print for it on a line, with
// every byte taken at one instant and a slack as long as the longest pause, so that nothing is
// judged on time; then a closing line. 0 when the printer found no problem, 1 otherwise.
int decodeFile(const Settings& settings) {
  const QString shown = vx::shownPath(settings.decodeFile);
  QFile file(settings.decodeFile);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "vorlandex-printer: cannot read %s: %s\n", shown.toLocal8Bit().constData(),
                 file.errorString().toLocal8Bit().constData());
    return 1;
  }
  const QByteArray bytes = file.readAll();
  printLine("note: decoding " + shown.toStdString() + ", " + std::to_string(bytes.size()) +
            " bytes; a file holds no times, so the spacing is not judged");
  vx::printer::VirtualPrinter printer([](const std::string& text, bool) { printLine(text); },
                                      vx::printer::kRegisterPauseUs);
  for (const char byte : bytes) printer.feed(static_cast<std::uint8_t>(byte), 0);
  printer.finish();
  if (!settings.ticketDir.isEmpty()) renderTickets(printer, settings.ticketDir, 0);
  const std::size_t transfers = printer.transfers().size();
  const std::size_t problems = printer.problems().size();
  printLine("decoded: " + std::to_string(transfers) + (transfers == 1 ? " transfer, " : " transfers, ") +
            (problems == 0 ? std::string("no problem")
                           : std::to_string(problems) + (problems == 1 ? " problem" : " problems")));
  return problems == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) try {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vorlandex-printer"));

  const std::variant<Settings, int> read = readSettings(app);
  if (const int* status = std::get_if<int>(&read)) return *status;
  const Settings& settings = std::get<Settings>(read);
  if (!settings.decodeFile.isEmpty()) return decodeFile(settings);

  const std::unique_ptr<vx::printer::ListeningLine> line =
      vx::printer::ListeningLine::open(settings.onDevice ? settings.device : std::string());
  if (!line) return 1;
  announce(settings, *line);

  vx::console::onStopRequest(requestStop);  // a waiting poll() returns at once
  return listenOnLine(settings, *line);
} catch (const std::exception& e) {
  // Out of memory, or a file the system would not let go: said, never an abort.
  std::fprintf(stderr, "vorlandex-printer: %s\n", e.what());
  return 1;
}
