#include "serial/posix/posix_port.h"

#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

#include "serial/posix/arbitrary_speed.h"

namespace vx {
namespace {

constexpr std::array<std::pair<std::uint32_t, speed_t>, 9> kStandardSpeeds = {{
    {110, B110},
    {300, B300},
    {600, B600},
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
}};

bool standardSpeed(std::uint32_t bits_per_second, speed_t* code) {
  for (const auto& [rate, value] : kStandardSpeeds) {
    if (rate == bits_per_second) {
      *code = value;
      return true;
    }
  }
  return false;
}

IoResult completed(std::size_t count) { return IoResult{IoStatus::Completed, count, 0, 0}; }
IoResult pending() { return IoResult{IoStatus::Pending, 0, 0, 0}; }
IoResult failure(int error) {
  return IoResult{error == EBADF ? IoStatus::InvalidHandle : IoStatus::Failed, 0, 0, error};
}

// What poll() watches for an event: its eventfd.
int fdOf(const WakeEvent& event) { return static_cast<int>(event.nativeHandle()); }

int pollRetrying(pollfd* fds, nfds_t count, int timeout_ms) {
  int r;
  while ((r = ::poll(fds, count, timeout_ms)) < 0 && errno == EINTR) {
  }
  return r;
}

}  // namespace

PosixPort::PosixPort(int fd) : fd_(fd) {}

PosixPort::~PosixPort() { close(); }

bool PosixPort::isCharacterDevice() {
  struct stat st {};
  return ::fstat(fd_, &st) == 0 && S_ISCHR(st.st_mode);
}

bool PosixPort::applyLineSettings(const LineSettings& settings) {
  termios t{};
  if (::tcgetattr(fd_, &t) < 0) return false;
  // Raw 8-bit line without flow control: a fresh terminal translates 0x0A to 0x0D 0x0A and
  // swallows 0x11 and 0x13, and the printer must get every byte as it was sent.
  ::cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
  // Linux has no 4-bit characters; such a request keeps 8.
  static constexpr std::array<tcflag_t, 4> kSizes = {CS5, CS6, CS7, CS8};
  if (settings.dataBits >= 5 && settings.dataBits <= 8) {
    t.c_cflag = (t.c_cflag & ~static_cast<tcflag_t>(CSIZE)) | kSizes[settings.dataBits - 5];
  }
  t.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
  switch (settings.parity) {
    case Parity::Odd:
      t.c_cflag |= PARENB | PARODD;
      break;
    case Parity::Even:
      t.c_cflag |= PARENB;
      break;
    case Parity::Mark:
      t.c_cflag |= PARENB | PARODD | CMSPAR;
      break;
    case Parity::Space:
      t.c_cflag |= PARENB | CMSPAR;
      break;
    case Parity::None:
      break;
  }
  // One and a half stop bits is what a UART sends for "two" with 5-bit characters.
  if (settings.stopBits == StopBits::One) {
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
  } else {
    t.c_cflag |= CSTOPB;
  }
  speed_t code = B0;
  const bool standard = standardSpeed(settings.bitsPerSecond, &code);
  if (standard) {
    ::cfsetispeed(&t, code);
    ::cfsetospeed(&t, code);
  }
  if (::tcsetattr(fd_, TCSANOW, &t) < 0) return false;
  if (!standard && !setArbitrarySpeed(fd_, settings.bitsPerSecond)) return false;

  // tcsetattr succeeds when any part of the change was taken: see what the device really holds.
  termios back{};
  if (::tcgetattr(fd_, &back) < 0) return false;
  // A standard speed is read back the standard way, so that a system without the termios2 calls
  // does not report it as refused.
  const tcflag_t speed_bits = CBAUD | CIBAUD;
  const bool speed_held = standard ? ::cfgetospeed(&back) == code : arbitrarySpeed(fd_) == settings.bitsPerSecond;
  return back.c_iflag == t.c_iflag && back.c_oflag == t.c_oflag && back.c_lflag == t.c_lflag &&
         (back.c_cflag & ~speed_bits) == (t.c_cflag & ~speed_bits) && speed_held;
}

bool PosixPort::setReadInterval(std::uint32_t interval_ms) {
  read_interval_ms_ = interval_ms;
  return true;
}

// ---- reader

bool PosixPort::readCounters(LineCounters* counters) const {
  serial_icounter_struct icount{};
  if (::ioctl(fd_, TIOCGICOUNT, &icount) < 0) return false;
  *counters = LineCounters{icount.frame, icount.overrun, icount.parity, icount.brk, icount.buf_overrun};
  return true;
}

IoResult PosixPort::watchLineEvents(std::uint32_t events) {
  watched_events_ = events;
  counters_ok_ = readCounters(&counters_);
  return completed(0);
}

void PosixPort::checkLineErrors() {
  LineCounters now;
  if (!counters_ok_ || !readCounters(&now)) return;
  if (now.frame != counters_.frame) line_errors_ |= kFramingError;
  if (now.overrun != counters_.overrun || now.buf_overrun != counters_.buf_overrun)
    line_errors_ |= kOverrunError;
  if (now.parity != counters_.parity) line_errors_ |= kParityError;
  if (now.brk != counters_.brk) line_errors_ |= kBreakError;
  counters_ = now;
  if (line_errors_ != 0 && event_pending_) event_done_ = true;
}

void PosixPort::completeRead(IoResult result) {
  read_result_ = result;
  read_done_ = true;
  read_pending_ = false;
  // Errors arrive with the characters they spoiled, so this is when new ones can show.
  checkLineErrors();
}

void PosixPort::collectInput() {
  for (;;) {
    const ssize_t n = ::read(fd_, read_buffer_ + read_count_, read_size_ - read_count_);
    if (n > 0) {
      read_count_ += static_cast<std::size_t>(n);
      last_byte_ = Clock::now();
      if (read_count_ == read_size_) return completeRead(completed(read_count_));
      continue;
    }
    // End of file: the device is gone. What came before it is delivered first; the next read
    // meets the end again and completes with 0 bytes.
    if (n == 0) return completeRead(completed(read_count_));
    if (errno == EINTR) continue;
    if (errno == EAGAIN) return;
    if (read_count_ > 0) return completeRead(completed(read_count_));
    return completeRead(failure(errno));
  }
}

IoResult PosixPort::startRead(std::uint8_t* buffer, std::size_t size) {
  read_buffer_ = buffer;
  read_size_ = size;
  read_count_ = 0;
  read_done_ = false;
  read_pending_ = true;
  collectInput();
  if (read_done_) {
    read_done_ = false;
    return read_result_;
  }
  return pending();
}

IoResult PosixPort::readResult() {
  if (!read_done_) return pending();
  read_done_ = false;
  return read_result_;
}

IoResult PosixPort::startLineEventWait() {
  if ((watched_events_ & kLineErrorEvent) && line_errors_ != 0)
    return IoResult{IoStatus::Completed, 0, kLineErrorEvent, 0};
  event_pending_ = (watched_events_ & kLineErrorEvent) != 0;
  event_done_ = false;
  return pending();
}

IoResult PosixPort::lineEventResult() {
  if (!event_done_) return pending();
  event_done_ = false;
  event_pending_ = false;
  return IoResult{IoStatus::Completed, 0, kLineErrorEvent, 0};
}

IoResult PosixPort::takeLineErrors(std::uint32_t* errors) {
  *errors = line_errors_;
  line_errors_ = 0;
  return completed(0);
}

WaitResult PosixPort::waitReader(const WakeEvent& close) {
  const auto interval = std::chrono::milliseconds(read_interval_ms_);
  for (;;) {
    if (event_done_ || read_done_) {
      if (close.isSet()) return {WaitEvent::Close, 0};
      return {event_done_ ? WaitEvent::LineEvent : WaitEvent::ReadDone, 0};
    }
    const bool timed = read_pending_ && read_count_ > 0 && interval.count() > 0;
    int timeout_ms = -1;
    if (timed) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(last_byte_ + interval - Clock::now());
      timeout_ms = static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
    }
    pollfd fds[2] = {{fdOf(close), POLLIN, 0}, {read_pending_ ? fd_ : -1, POLLIN, 0}};
    if (pollRetrying(fds, 2, timeout_ms) < 0) return {WaitEvent::Failed, errno};
    if (fds[0].revents) return {WaitEvent::Close, 0};
    const short port = fds[1].revents;
    if (port & POLLNVAL) {
      completeRead(failure(EBADF));
    } else if (port) {
      collectInput();
      if (!read_done_ && (port & (POLLHUP | POLLERR))) {
        completeRead(read_count_ > 0 ? completed(read_count_) : failure(EIO));
      }
    } else if (timed && Clock::now() >= last_byte_ + interval) {
      completeRead(completed(read_count_));
    }
  }
}

// ---- writer

WaitResult PosixPort::waitWriterIdle(const WakeEvent& close, const WakeEvent& queued) {
  for (;;) {
    // The port is watched for hang-ups only, so a device that goes away ends an idle writer too.
    pollfd fds[3] = {{fdOf(close), POLLIN, 0}, {fdOf(queued), POLLIN, 0}, {fd_, 0, 0}};
    if (pollRetrying(fds, 3, -1) < 0) return {WaitEvent::Failed, errno};
    if (fds[0].revents) return {WaitEvent::Close, 0};
    if (fds[1].revents) return {WaitEvent::WriteRequest, 0};
    if (fds[2].revents & POLLNVAL) return {WaitEvent::Failed, EBADF};
    if (fds[2].revents & (POLLHUP | POLLERR)) return {WaitEvent::Failed, EIO};
  }
}

IoResult PosixPort::startWrite(const std::uint8_t* data, std::size_t count) {
  write_data_ = data;
  write_count_ = count;
  write_done_ = false;
  ssize_t n;
  while ((n = ::write(fd_, data, count)) < 0 && errno == EINTR) {
  }
  if (n > 0 || (n == 0 && count == 0)) return completed(static_cast<std::size_t>(n));
  if (n == 0 || errno == EAGAIN) {
    write_pending_ = true;
    return pending();
  }
  return failure(errno);
}

void PosixPort::attemptWrite(bool hung_up) {
  ssize_t n;
  while ((n = ::write(fd_, write_data_, write_count_)) < 0 && errno == EINTR) {
  }
  if (n > 0) {
    write_result_ = completed(static_cast<std::size_t>(n));
  } else if (n == 0 || errno == EAGAIN) {
    if (!hung_up) return;  // woken too early; keep waiting
    write_result_ = failure(EIO);
  } else {
    write_result_ = failure(errno);
  }
  write_done_ = true;
  write_pending_ = false;
}

WaitResult PosixPort::waitWrite(const WakeEvent& close) {
  for (;;) {
    if (write_done_) {
      if (close.isSet()) return {WaitEvent::Close, 0};
      return {WaitEvent::WriteDone, 0};
    }
    pollfd fds[2] = {{fdOf(close), POLLIN, 0}, {write_pending_ ? fd_ : -1, POLLOUT, 0}};
    if (pollRetrying(fds, 2, -1) < 0) return {WaitEvent::Failed, errno};
    if (fds[0].revents) return {WaitEvent::Close, 0};
    const short port = fds[1].revents;
    if (port & POLLNVAL) {
      write_result_ = failure(EBADF);
      write_done_ = true;
      write_pending_ = false;
    } else if (port) {
      attemptWrite((port & (POLLHUP | POLLERR)) != 0);
    }
  }
}

WaitResult PosixPort::waitUntil(const WakeEvent& close, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now()).count();
    if (left <= 0) return {WaitEvent::Deadline, 0};
    const timespec timeout{static_cast<time_t>(left / 1'000'000'000), static_cast<long>(left % 1'000'000'000)};
    // The port is watched for hang-ups only: a device that goes away ends the pause at once.
    pollfd fds[2] = {{fdOf(close), POLLIN, 0}, {fd_, 0, 0}};
    const int ready = ::ppoll(fds, 2, &timeout, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return {WaitEvent::Failed, errno};
    }
    if (fds[0].revents) return {WaitEvent::Close, 0};
    if (fds[1].revents & POLLNVAL) return {WaitEvent::Failed, EBADF};
    if (fds[1].revents & (POLLHUP | POLLERR)) return {WaitEvent::Failed, EIO};
  }
}

IoResult PosixPort::writeResult() {
  if (!write_done_) return pending();
  write_done_ = false;
  return write_result_;
}

// ---- any thread

std::size_t PosixPort::outputQueued() {
  int queued = 0;
  if (::ioctl(fd_, TIOCOUTQ, &queued) < 0 || queued < 0) return 0;
  return static_cast<std::size_t>(queued);
}

void PosixPort::discard(Direction side) {
  (void)::tcflush(fd_, side == Direction::Receive ? TCIFLUSH : TCOFLUSH);
}

void PosixPort::close() {
  if (fd_ < 0) return;
  (void)::ioctl(fd_, TIOCNXCL);
  (void)::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace vx
