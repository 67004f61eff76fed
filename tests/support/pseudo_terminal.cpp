#include "pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <pty.h>
#include <sched.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace vx::test {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t nowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

int msUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

PseudoTerminal::PseudoTerminal(Line line) {
  char name[256] = {};
  if (::openpty(&far_, &near_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
  ::fcntl(far_, F_SETFD, FD_CLOEXEC);
  ::fcntl(near_, F_SETFD, FD_CLOEXEC);
  path_ = name;
  if (line == Line::Raw19200) {
    termios t{};
    ::tcgetattr(near_, &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B19200);
    ::cfsetospeed(&t, B19200);
    ::tcsetattr(near_, TCSANOW, &t);
  }
}

PseudoTerminal::~PseudoTerminal() {
  if (!variable_.empty()) ::unsetenv(variable_.c_str());
  unplug();
}

void PseudoTerminal::useAsComPort(int n) {
  if (!variable_.empty()) ::unsetenv(variable_.c_str());
  variable_ = "VORLANDEX_COM" + std::to_string(n);
  ::setenv(variable_.c_str(), path_.c_str(), 1);
}

std::string PseudoTerminal::read(std::size_t count, std::chrono::milliseconds timeout) {
  std::string text;
  char buffer[4096];
  const auto deadline = Clock::now() + timeout;
  while (text.size() < count && far_ >= 0) {
    pollfd p{far_, POLLIN, 0};
    if (::poll(&p, 1, msUntil(deadline)) <= 0) break;
    const ssize_t got = ::read(far_, buffer, std::min(sizeof buffer, count - text.size()));
    if (got <= 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

std::string PseudoTerminal::drain(std::chrono::milliseconds quiet) {
  std::string text;
  char buffer[4096];
  while (far_ >= 0) {
    pollfd p{far_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(quiet.count())) <= 0) break;
    const ssize_t n = ::read(far_, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

void PseudoTerminal::closeFarEnd() {
  if (far_ >= 0) ::close(far_);
  far_ = -1;
}

void PseudoTerminal::unplug() {
  closeFarEnd();
  if (near_ >= 0) ::close(near_);
  near_ = -1;
}

FarEndReader::FarEndReader(const PseudoTerminal& line, bool realtime)
    : fd_(line.farEnd()), realtime_(realtime), thread_([this] { run(); }) {}

FarEndReader::~FarEndReader() { stop(); }

void FarEndReader::stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void FarEndReader::run() {
  if (realtime_) {
    sched_param param{};
    param.sched_priority = 10;
    (void)::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &param);
  }
  unsigned char buffer[4096];
  while (!stop_) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 20) > 0) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      const std::int64_t us = nowUs();
      if (n > 0) {
        std::lock_guard lock(mutex_);
        for (ssize_t i = 0; i < n; ++i) bytes_.push_back({buffer[i], us});
      }
    }
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    cpu_ms_ = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
              (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
  }
}

std::string FarEndReader::text() const {
  std::lock_guard lock(mutex_);
  std::string text;
  text.reserve(bytes_.size());
  for (const Byte& b : bytes_) text.push_back(static_cast<char>(b.value));
  return text;
}

std::size_t FarEndReader::count() const {
  std::lock_guard lock(mutex_);
  return bytes_.size();
}

bool FarEndReader::waitFor(std::size_t count, std::chrono::milliseconds timeout) const {
  const auto deadline = Clock::now() + timeout;
  while (this->count() < count) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

std::vector<FarEndReader::Byte> FarEndReader::received(std::chrono::milliseconds quiet) {
  std::size_t seen = static_cast<std::size_t>(-1);
  for (;;) {
    if (!stop_) std::this_thread::sleep_for(quiet);
    std::lock_guard lock(mutex_);
    if (bytes_.size() == seen || stop_) return bytes_;
    seen = bytes_.size();
  }
}

std::vector<FarEndReader::Byte> FarEndReader::take(std::chrono::milliseconds quiet) {
  std::vector<Byte> out = received(quiet);
  std::lock_guard lock(mutex_);
  bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(out.size()));
  return out;
}

}  // namespace vx::test
