// vorlandex-printer: a virtual VORLANDEX ticket printer on a pseudo-terminal (or a serial
// device). Its first line of output names the port to give the configurator,
// "VORLANDEX_COM1=<path>"; the second, a note, says how closely it can judge the spacing of
// the bytes; then one line per transfer and per problem on the line, until SIGINT or
// SIGTERM. With --ticket-dir it keeps DIR/button1.png .. button4.png up to date.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <variant>

#include "printer/ticket.h"
#include "printer/virtual_printer.h"
#include "protocol/monotonic_clock.h"
#include "send/console.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

void requestStop() { stopRequested = 1; }

std::int64_t monotonicUs() { return vx::monotonicNs() / 1000; }

// Raw 8-bit, 19200 8N1, no flow control: every byte reaches the decoder as sent.
bool setLine(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
  tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, B19200);
  cfsetospeed(&tio, B19200);
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

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
    "is 0.5 ms; an adapter's own latency still blurs what is under that.";

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
  parser.addOptions({deviceOption, comOption, ticketOption, onExitOption, slackOption});
  parser.process(app);

  Settings settings;
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

// The line the printer listens on.
struct Line {
  int fd = -1;
  int hold = -1;  // our own hold on the pty's far side
  std::string path;
  ~Line() {
    if (hold >= 0) close(hold);
    if (fd >= 0) close(fd);
  }
};

// Opens the device, or a new pseudo-terminal; false (after saying why) when it cannot.
bool openLine(const Settings& settings, Line& line) {
  if (settings.onDevice) {
    line.path = settings.device;
    line.fd = open(line.path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (line.fd < 0) {
      std::fprintf(stderr, "vorlandex-printer: %s: %s\n", line.path.c_str(), std::strerror(errno));
      return false;
    }
    if (!setLine(line.fd))
      std::fprintf(stderr, "vorlandex-printer: %s: line settings refused\n", line.path.c_str());
    return true;
  }
  line.fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128] = {};
  if (line.fd < 0 || grantpt(line.fd) != 0 || unlockpt(line.fd) != 0 ||
      ptsname_r(line.fd, name, sizeof name) != 0) {
    std::fprintf(stderr, "vorlandex-printer: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
    return false;
  }
  line.path = name;
  // The configurator opens and closes the port once per job. While one descriptor of the
  // far side stays open, its closing is no hang-up for us, and the line settings stay.
  line.hold = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (line.hold < 0 || !setLine(line.hold)) {
    std::fprintf(stderr, "vorlandex-printer: cannot set up %s: %s\n", name, std::strerror(errno));
    return false;
  }
  return true;
}

void announce(const Settings& settings, const Line& line) {
  std::printf("VORLANDEX_COM%d=%s\n", settings.com, line.path.c_str());
  std::printf(settings.onDevice
                  ? "note: spacing judged on arrival times with %.1f ms of slack; what an adapter's own "
                    "latency blurs under that is not seen\n"
                  : "note: spacing judged on arrival times with %.1f ms of slack for the pseudo-terminal's "
                    "own jitter (up to 4 ms); a smaller fault is not seen here, trace the sender's write() "
                    "calls for that\n",
              settings.slackMs);
  std::fflush(stdout);
}

// Feeds the printer every byte of the line until a signal or the line's end; the exit status.
int listenOnLine(const Settings& settings, const Line& line) {
  vx::printer::VirtualPrinter printer([](const std::string& text, bool) { printLine(text); },
                                      static_cast<std::int64_t>(settings.slackMs * 1000));
  const auto render = [&] {
    if (!vx::printer::writeTickets(printer.state(), settings.ticketDir,
                                   printer.state().clock.at(monotonicUs())))
      printLine("problem: cannot write the tickets to " + settings.ticketDir.toStdString());
  };

  int status = 0;
  std::size_t rendered = 0;
  unsigned char buffer[4096];
  while (!stopRequested) {
    pollfd p{line.fd, POLLIN, 0};
    const int ready = poll(&p, 1, 100);
    const std::int64_t now = monotonicUs();
    if (ready < 0 && errno != EINTR) {
      std::fprintf(stderr, "vorlandex-printer: poll: %s\n", std::strerror(errno));
      status = 1;
      break;
    }
    if (ready > 0) {
      const ssize_t n = read(line.fd, buffer, sizeof buffer);
      if (n > 0) {
        for (ssize_t i = 0; i < n; ++i) printer.feed(buffer[i], now);
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        std::fprintf(stderr, "vorlandex-printer: %s is gone\n", line.path.c_str());
        status = 1;
        break;
      }
    }
    printer.poll(now);
    if (settings.renderEachTransfer && printer.transfers().size() != rendered) {
      rendered = printer.transfers().size();
      render();
    }
  }
  printer.finish();
  if (!settings.ticketDir.isEmpty()) render();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vorlandex-printer"));

  const std::variant<Settings, int> read = readSettings(app);
  if (const int* status = std::get_if<int>(&read)) return *status;
  const Settings& settings = std::get<Settings>(read);
  Line line;
  if (!openLine(settings, line)) return 1;
  announce(settings, line);

  vx::console::onStopRequest(requestStop);  // a waiting poll() returns at once
  return listenOnLine(settings, line);
}
