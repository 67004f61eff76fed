// Hand-over latency of the serial component: from SendData to the bytes being readable at the far
// end of a pseudo-terminal, with the pauses a transmission job makes between frames. Prints p50,
// p99 and the worst case; the gate is p99 <= 1 ms.

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "serial/qrtcomm32.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWarmUp = 50;
constexpr int kSamples = 1500;
constexpr auto kPause = std::chrono::milliseconds(2);
constexpr double kGateUs = 1000.0;

// Reads exactly `n` bytes from `fd`; false on end of file, error or a 1 s silence.
bool readExactly(int fd, char* buffer, int n) {
  int got = 0;
  while (got < n) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 1000) <= 0) return false;
    const ssize_t r = ::read(fd, buffer + got, static_cast<std::size_t>(n - got));
    if (r <= 0) return false;
    got += static_cast<int>(r);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  int master = -1, slave = -1;
  char name[256] = {};
  if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    std::perror("openpty");
    return 2;
  }
  ::setenv("VORLANDEX_COM1", name, 1);
  vx::TQRTComm32 comm;
  comm.setBaudRate(vx::TBaudRate::Baud19200);
  comm.setParity(vx::TParity::None);
  comm.setDataBits(vx::TDataBits::_8);
  comm.setStopBits(vx::TStopBits::_1);
  comm.OpenPort();

  const char frame[4] = {'D', 'I', 'M', 'P'};
  char echo[4];
  std::vector<double> us;
  us.reserve(kSamples);
  for (int i = 0; i < kWarmUp + kSamples; ++i) {
    std::this_thread::sleep_for(kPause);
    const auto start = Clock::now();
    if (!comm.SendData(frame, sizeof frame) || !readExactly(master, echo, sizeof echo)) {
      std::fprintf(stderr, "serial_latency: frame %d did not arrive\n", i);
      return 1;
    }
    const double took = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    if (i >= kWarmUp) us.push_back(took);
  }
  comm.ClosePort();
  ::close(master);
  ::close(slave);

  std::sort(us.begin(), us.end());
  const double p50 = us[us.size() / 2];
  const double p99 = us[us.size() * 99 / 100];
  std::printf(
      "serial_latency: %d frames, hand-over to readable at the far end: p50 %.0f us, p99 %.0f us, max %.0f "
      "us\n",
      kSamples, p50, p99, us.back());
  std::printf("serial_latency: p99 %.0f us against the gate of %.0f us: ratio %.2f -> %s\n", p99, kGateUs,
              p99 / kGateUs, p99 <= kGateUs ? "ok" : "MISSED");
  return p99 <= kGateUs ? 0 : 1;
}
