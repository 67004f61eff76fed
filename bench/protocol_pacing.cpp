// Real pacing of the transmission jobs over a pseudo-terminal: a 1,000-byte block transfer
// and the settings job, timed against the sum of their pauses, and the job's CPU time as a
// share of its wall time. The far end of the pty is read by a thread that stamps every byte
// and, at the end, hands the stream to the virtual printer, which must find no fault.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <thread>
#include <vector>

#include "bench_timing.h"
#include "printer/virtual_printer.h"
#include "protocol/steady_pacer.h"
#include "protocol/transmission.h"
#ifdef VORLANDEX_BENCH_SERIAL
#include "serial/qrtcomm32.h"
#endif

namespace {

using vx::bench::cpuMs;
using vx::bench::monotonicUs;

void makeRaw(int fd) {
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  cfsetispeed(&tio, B19200);
  cfsetospeed(&tio, B19200);
  tcsetattr(fd, TCSANOW, &tio);
}

// The far end: stamps every byte as it arrives.
class FarEnd {
 public:
  FarEnd() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128] = {};
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0)
      throw std::runtime_error("no pseudo-terminal");
    path_ = name;
    hold_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);  // a closed port is no hang-up
    makeRaw(hold_);
    thread_ = std::thread([this] { run(); });
  }
  ~FarEnd() {
    stop_ = true;
    thread_.join();
    close(hold_);
    close(master_);
  }
  const std::string& path() const { return path_; }
  std::vector<vx::printer::TimedByte> take() {
    usleep(50'000);
    std::vector<vx::printer::TimedByte> out;
    std::swap(out, stream_[flip()]);
    return out;
  }
  double cpuMs() const { return cpuMs_.load(); }

 private:
  int flip() {
    const int was = current_.load();
    current_ = 1 - was;
    usleep(20'000);  // let a read in progress finish into the old buffer
    return was;
  }
  void run() {
    unsigned char buffer[4096];
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 20) > 0) {
        const ssize_t n = read(master_, buffer, sizeof buffer);
        const std::int64_t now = monotonicUs();
        auto& into = stream_[current_.load()];
        for (ssize_t i = 0; i < n; ++i) into.push_back({buffer[i], now});
      }
      cpuMs_ = ::cpuMs(RUSAGE_THREAD);
    }
  }
  int master_ = -1;
  int hold_ = -1;
  std::string path_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> current_{0};
  std::vector<vx::printer::TimedByte> stream_[2];
  std::atomic<double> cpuMs_{0};
};

#ifdef VORLANDEX_BENCH_SERIAL
// The jobs' real path: the serial component's writer thread puts the bytes on the line.
class PtyHost : public vx::JobHost {
 public:
  explicit PtyHost(const std::string& path) {
    setenv("VORLANDEX_COM1", path.c_str(), 1);
    comm_.setCommPort(vx::TCommPort::Com1);
    comm_.setBaudRate(vx::TBaudRate::Baud19200);
    comm_.setDataBits(vx::TDataBits::_8);
    comm_.setParity(vx::TParity::None);
    comm_.setStopBits(vx::TStopBits::_1);
  }
  void OpenPort() override { comm_.OpenPort(); }
  bool SendData(const std::uint8_t* data, std::uint16_t length) override {
    const bool queued = comm_.SendData(data, length);
    handOvers.push_back(monotonicUs());
    return queued;
  }
  std::vector<std::int64_t> handOvers;
  void ClosePort() override { comm_.ClosePort(); }
  void showProgress() override {}
  void hideProgress() override {}
  void setProgressMax(int) override {}
  void setProgressPosition(int) override {}
  void processMessages() override { QCoreApplication::processEvents(); }
  static const char* name() { return "TQRTComm32"; }

 private:
  vx::TQRTComm32 comm_;
};
#else
// Until the serial component exists: plain writes to the port.
class PtyHost : public vx::JobHost {
 public:
  explicit PtyHost(const std::string& path) : path_(path) {}
  void OpenPort() override {
    fd_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) throw std::runtime_error("Error opening com port");
  }
  bool SendData(const std::uint8_t* data, std::uint16_t length) override {
    const bool written = write(fd_, data, length) == length;
    handOvers.push_back(monotonicUs());
    return written;
  }
  std::vector<std::int64_t> handOvers;
  void ClosePort() override {
    close(fd_);
    fd_ = -1;
  }
  void showProgress() override {}
  void hideProgress() override {}
  void setProgressMax(int) override {}
  void setProgressPosition(int) override {}
  void processMessages() override { QCoreApplication::processEvents(); }
  static const char* name() { return "plain write()"; }

 private:
  std::string path_;
  int fd_ = -1;
};
#endif

// The far end must see exactly the transfers sent. Arrival jitter beyond the printer's
// 2 ms slack comes from the writer and reader threads waking late on a busy machine, not
// from the pacing (checked on the hand-overs), so it is only noted.
bool checkStream(const char* what, const std::vector<vx::printer::TimedByte>& stream, std::size_t transfers) {
  const vx::printer::DecodeResult r = vx::printer::decodeStream(stream);
  bool ok = r.transfers.size() == transfers;
  for (const auto& p : r.problems) {
    const bool jitter = p.kind == vx::printer::Problem::Kind::Pacing;
    std::printf("  %s: printer %s: %s\n", what, jitter ? "notes arrival jitter" : "reports", p.text.c_str());
    ok = ok && jitter;
  }
  if (r.transfers.size() != transfers)
    std::printf("  %s: %zu transfers decoded, %zu expected\n", what, r.transfers.size(), transfers);
  return ok;
}

// Spacing of the hand-overs after each data byte (the first data byte follows the header at
// once): never under 12 ms; the excess over 12 ms is what the job loses on the way from a
// wake-up to the next hand-over.
bool checkHandOvers(const std::vector<std::int64_t>& handOvers) {
  std::vector<std::int64_t> excess;
  for (std::size_t i = 3; i < handOvers.size(); ++i)
    excess.push_back(handOvers[i] - handOvers[i - 1] - 12'000);
  if (excess.empty()) return false;
  const std::int64_t smallest = *std::min_element(excess.begin(), excess.end());
  std::sort(excess.begin(), excess.end());
  std::printf(
      "  data hand-overs beyond 12 ms: median %lld us, p99 %lld us, max %lld us; shortest spacing %.3f ms\n",
      static_cast<long long>(excess[excess.size() / 2]),
      static_cast<long long>(excess[excess.size() * 99 / 100]), static_cast<long long>(excess.back()),
      (12'000 + smallest) / 1e3);
  return smallest >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  FarEnd far;
  PtyHost host(far.path());
  vx::ConfigModel model;
  vx::applyNumberingDefaults(model);
  bool ok = true;
  std::printf("port: %s over %s\n", PtyHost::name(), far.path().c_str());

  {  // A block transfer of 1,000 bytes with the pause after the word.
    // A header-text block of 1,000 bytes: 22 lines of 40 characters and the trailer.
    std::vector<std::uint8_t> data;
    for (int line = 0; line < 22; ++line) {
      data.insert(data.end(), 40, 'x');
      data.insert(data.end(), {0x0D, 0x1B, 0x47});
    }
    data.insert(data.end(), {0x1B, 0x4C, 0x0E, 0x32});
    data.insert(data.end(), 50, 0x00);
    vx::SteadyPacer pacer;
    host.OpenPort();
    const double farCpu0 = far.cpuMs();
    const double cpu0 = cpuMs(RUSAGE_SELF);
    const std::int64_t t0 = monotonicUs();
    host.handOvers.clear();
    vx::envia_bloco(host, pacer, 0x34, data, true);
    const double wallMs = (monotonicUs() - t0) / 1e3;
    const double jobCpuMs = cpuMs(RUSAGE_SELF) - cpu0 - (far.cpuMs() - farCpu0);
    host.ClosePort();
    const double minimumMs = 100 + 100 + 12.0 * 1000;
    const double ratio = wallMs / minimumMs;
    const double cpuShare = jobCpuMs / wallMs;
    std::printf("block transfer of 1000 bytes: %.1f ms against %.0f ms: ratio %.4f (gate 1.005)\n", wallMs,
                minimumMs, ratio);
    std::printf("CPU while pacing: %.1f ms of %.1f ms wall: %.2f %% (gate 2 %%)\n", jobCpuMs, wallMs,
                100 * cpuShare);
    ok = ratio <= 1.005 && cpuShare <= 0.02 && ok;
    ok = checkHandOvers(host.handOvers) && ok;
    ok = checkStream("block transfer", far.take(), 1) && ok;
  }

  {  // The settings job, port opening and closing included.
    vx::SteadyPacer pacer;
    const std::int64_t t0 = monotonicUs();
    vx::settingsJob(host, pacer, model, [] { return vx::optionByte(true, true, false); });
    const double wallMs = (monotonicUs() - t0) / 1e3;
    const double ratio = wallMs / 1800.0;
    std::printf("settings job: %.1f ms against 1800 ms: ratio %.4f (gate 1.005)\n", wallMs, ratio);
    ok = ratio <= 1.005 && ok;
    ok = checkStream("settings job", far.take(), 17) && ok;
  }
  std::printf(ok ? "all gates met\n" : "GATE MISSED\n");
  return ok ? 0 : 1;
}
