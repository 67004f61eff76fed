#include "pty_line.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace vx::test {
namespace {

std::int64_t nowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

PtyLine::PtyLine() {
  char name[256] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
  // A program the test starts must not inherit the far side: it would keep the line alive.
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  termios t{};
  tcgetattr(slave_, &t);
  cfmakeraw(&t);
  tcsetattr(slave_, TCSANOW, &t);
  path_ = QString::fromLocal8Bit(name);
  setenv("VORLANDEX_COM1", name, 1);
  reader_ = std::thread([this] { readLoop(); });
}

PtyLine::~PtyLine() {
  stop_ = true;
  if (reader_.joinable()) reader_.join();
  unsetenv("VORLANDEX_COM1");
  close(slave_);
  if (master_ >= 0) close(master_);
}

void PtyLine::vanish() {
  stop_ = true;
  reader_.join();
  close(master_);
  master_ = -1;
}

std::size_t PtyLine::count() {
  std::lock_guard lock(mutex_);
  return bytes_.size();
}

void PtyLine::readLoop() {
  // Arrival times are only as good as this thread's wake-ups: ask for real-time priority
  // where the system grants it.
  sched_param param{};
  param.sched_priority = 10;
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
  unsigned char buf[4096];
  while (!stop_) {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    const ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) continue;
    const std::int64_t us = nowUs();
    std::lock_guard lock(mutex_);
    for (ssize_t i = 0; i < n; ++i) bytes_.push_back({buf[i], us});
  }
}

std::vector<printer::TimedByte> PtyLine::received(int quietMs) {
  std::size_t seen = static_cast<std::size_t>(-1);
  for (;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(quietMs));
    std::lock_guard lock(mutex_);
    if (bytes_.size() == seen || stop_) return bytes_;
    seen = bytes_.size();
  }
}

std::vector<printer::TimedByte> PtyLine::take(int quietMs) {
  std::vector<printer::TimedByte> out = received(quietMs);
  std::lock_guard lock(mutex_);
  // Only what received() saw is handed out; a byte that came since stays for the next take.
  std::vector<printer::TimedByte> rest(bytes_.begin() + static_cast<std::ptrdiff_t>(out.size()), bytes_.end());
  bytes_.swap(rest);
  return out;
}

}  // namespace vx::test
