// CPU used by an open serial port that has nothing to do: the reader and the writer must sleep
// on their events, never poll on a timer. Five seconds open over a pseudo-terminal; the gate is
// 10 ms of CPU in that time (0.2 % of one core).

#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <thread>

#include "pseudo_terminal.h"
#include "serial/serial_link.h"

namespace {

constexpr auto kIdle = std::chrono::seconds(5);
constexpr double kGateMs = 10.0;

double cpuMs() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  vx::test::PseudoTerminal line;
  line.useAsComPort(1);
  vx::SerialLink comm;
  comm.open();
  comm.send("DIMP", 4);  // the threads have been through their first request
  std::this_thread::sleep_for(std::chrono::milliseconds(100));

  const double before = cpuMs();
  std::this_thread::sleep_for(kIdle);
  const double used = cpuMs() - before;
  comm.close();

  std::printf("serial_idle_cpu: open idle port for %lld s used %.2f ms of CPU (%.3f %% of one core)\n",
              static_cast<long long>(kIdle.count()), used, used / (kIdle.count() * 1000.0) * 100.0);
  std::printf("serial_idle_cpu: %.2f ms against the gate of %.0f ms: ratio %.2f -> %s\n", used, kGateMs,
              used / kGateMs, used <= kGateMs ? "ok" : "MISSED");
  return used <= kGateMs ? 0 : 1;
}
