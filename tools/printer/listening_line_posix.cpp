#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "printer/listening_line.h"

namespace vx::printer {
namespace {

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

// errno's text, without strerror's buffer that every thread shares.
std::string errorText() { return std::generic_category().message(errno); }

}  // namespace

struct ListeningLine::Handles {
  int fd = -1;
  int hold = -1;  // our own hold on the pty's far side
  ~Handles() {
    if (hold >= 0) close(hold);
    if (fd >= 0) close(fd);
  }
};

bool ListeningLine::available() { return true; }

ListeningLine::ListeningLine(std::string path, std::unique_ptr<Handles> handles)
    : path_(std::move(path)), handles_(std::move(handles)) {}

ListeningLine::~ListeningLine() = default;

std::unique_ptr<ListeningLine> ListeningLine::open(const std::string& device) {
  auto h = std::make_unique<Handles>();
  if (!device.empty()) {
    h->fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (h->fd < 0) {
      std::fprintf(stderr, "vorlandex-printer: %s: %s\n", device.c_str(), errorText().c_str());
      return nullptr;
    }
    if (!setLine(h->fd)) std::fprintf(stderr, "vorlandex-printer: %s: line settings refused\n", device.c_str());
    return std::unique_ptr<ListeningLine>(new ListeningLine(device, std::move(h)));
  }
  h->fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128] = {};
  if (h->fd < 0 || grantpt(h->fd) != 0 || unlockpt(h->fd) != 0 || ptsname_r(h->fd, name, sizeof name) != 0) {
    std::fprintf(stderr, "vorlandex-printer: cannot create a pseudo-terminal: %s\n", errorText().c_str());
    return nullptr;
  }
  // The configurator opens and closes the port once per job. While one descriptor of the
  // far side stays open, its closing is no hang-up for us, and the line settings stay.
  h->hold = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (h->hold < 0 || !setLine(h->hold)) {
    std::fprintf(stderr, "vorlandex-printer: cannot set up %s: %s\n", name, errorText().c_str());
    return nullptr;
  }
  return std::unique_ptr<ListeningLine>(new ListeningLine(name, std::move(h)));
}

long ListeningLine::read(unsigned char* buffer, std::size_t size, int timeoutMs) {
  pollfd p{handles_->fd, POLLIN, 0};
  const int ready = poll(&p, 1, timeoutMs);  // a stop request's signal ends it (EINTR)
  if (ready < 0 && errno != EINTR) {
    std::fprintf(stderr, "vorlandex-printer: poll: %s\n", errorText().c_str());
    return -1;
  }
  if (ready <= 0) return 0;
  const ssize_t n = ::read(handles_->fd, buffer, size);
  if (n > 0) return n;
  if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
    std::fprintf(stderr, "vorlandex-printer: %s is gone\n", path_.c_str());
    return -1;
  }
  return 0;
}

}  // namespace vx::printer
