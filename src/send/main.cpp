// vorlandex-send: sends a saved .cfg/.bmp pair to one or many ticket printers at once.

#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>

#include "send/send_options.h"
#include "send/sender.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vorlandex-send"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VORLANDEX_VERSION));

  vx::ParsedArguments parsed = vx::parseSendArguments(QCoreApplication::arguments());
  if (!parsed.options) {
    std::FILE* stream = parsed.exitCode == 0 ? stdout : stderr;
    std::fputs(parsed.text.toLocal8Bit().constData(), stream);
    if (!parsed.text.endsWith(QLatin1Char('\n'))) std::fputc('\n', stream);
    return parsed.exitCode;
  }
  // Ctrl-C stops every port cleanly and still gives the summary.
  struct sigaction sa {};
  sa.sa_handler = [](int) { vx::Sender::interrupt(); };
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  // Output piped into a program that quits (| head) must not kill the run mid-block; a
  // failed write to the pipe is simply lost.
  signal(SIGPIPE, SIG_IGN);
  winsize size{};
  const bool terminal = isatty(STDOUT_FILENO) == 1;
  const bool errTerminal = isatty(STDERR_FILENO) == 1;
  // With --json the progress, if any, is drawn on the error stream.
  const int progressFd = parsed.options->json ? STDERR_FILENO : STDOUT_FILENO;
  const bool progressTerminal = parsed.options->json ? errTerminal : terminal;
  const int columns = progressTerminal && ioctl(progressFd, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
  vx::Sender sender(std::move(*parsed.options), vx::Sender::Output{stdout, stderr, terminal, columns, errTerminal});
  return sender.exec();
}
