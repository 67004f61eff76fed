// vorlandex-send: sends a saved .cfg/.bmp pair to one or many ticket printers at once.

#include <QCoreApplication>
#include <cstdio>

#include "send/console.h"
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
  vx::console::onStopRequest([] { vx::Sender::interrupt(); });
  // Output piped into a program that quits (| head) must not kill the run mid-block; a
  // failed write to the pipe is simply lost.
  vx::console::ignoreBrokenPipes();
  const bool terminal = vx::console::isTerminal(stdout);
  const bool errTerminal = vx::console::isTerminal(stderr);
  // With --json the progress, if any, is drawn on the error stream.
  const int columns = vx::console::terminalColumns(parsed.options->json ? stderr : stdout);
  vx::Sender sender(std::move(*parsed.options), vx::Sender::Output{stdout, stderr, terminal, columns, errTerminal});
  return sender.exec();
}
