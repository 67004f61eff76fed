// The Windows back end on ports. run_under_wine.sh (or a Windows machine set up the same way)
// names them in the environment: VORLANDEX_TEST_PTY_PORT a port whose far end records every
// byte, VORLANDEX_TEST_ABSENT_PORT one that leads nowhere, VORLANDEX_TEST_NULL_PORT a character
// device that is no port, VORLANDEX_TEST_OUT a folder for the bytes sent (expected.bin), the
// writer's stamps and the report. A test whose port is not named is skipped.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <thread>
#include <vector>

#include "serial/open_failure.h"
#include "serial/port_choices.h"
#include "serial/serial_device_list.h"
#include "serial/serial_device_watch.h"
#include "serial/serial_link.h"
#include "serial/system_errors.h"
#include "serial/trace.h"
#include "serial/win32/win32_backend.h"
#include "serial/win32/win32_port.h"
#include "serial/win32/windows_api.h"

namespace vx {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

QString testPort(const char* variable) { return qEnvironmentVariable(variable); }

#define REQUIRE_PORT(variable)             \
  const QString port = testPort(variable); \
  if (port.isEmpty()) GTEST_SKIP() << variable " names no port (run_under_wine.sh)"

ComPort commPortOf(const QString& name) {
  const int n = comPortNumber(name);
  return static_cast<ComPort>(n > 0 ? n - 1 : 0);
}

template <typename Done>
bool pumpUntil(Done done, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    QCoreApplication::processEvents();
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
}

void appendTo(const QString& file, const QByteArray& bytes) {
  QFile out(file);
  ASSERT_TRUE(out.open(QIODevice::Append));
  ASSERT_EQ(out.write(bytes), bytes.size());
}

void report(const std::string& line) {
  std::printf("%s\n", line.c_str());
  const QString folder = testPort("VORLANDEX_TEST_OUT");
  if (!folder.isEmpty())
    appendTo(folder + QStringLiteral("/report.txt"), QByteArray::fromStdString(line + "\n"));
}

TEST(Win32DeviceList, ListsTheComPortsByNumberWithoutOpeningThem) {
  REQUIRE_PORT("VORLANDEX_TEST_PTY_PORT");
  const std::vector<SerialDevice> devices = listSerialDevices();
  std::string names;
  for (const SerialDevice& d : devices)
    names += " " + d.path.toStdString() + " (" + d.description.toStdString() + ")";
  report("port list:" + names);
  // The mapped ports are there, each by its port name and acceptable as a choice.
  for (const char* name : {"COM1", "COM2", "COM3", "COM4"}) {
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const SerialDevice& d) { return d.path == QLatin1String(name); });
    ASSERT_NE(found, devices.end()) << name << " missing from" << names;
    EXPECT_EQ(found->kernelName, found->path);
    EXPECT_FALSE(found->description.isEmpty());
    EXPECT_TRUE(isAcceptableDevicePath(found->path));
  }
  for (std::size_t i = 1; i < devices.size(); ++i)
    EXPECT_LT(devices[i - 1].path.mid(3).toInt(), devices[i].path.mid(3).toInt()) << names;
  EXPECT_TRUE(devicePresent(port));
  EXPECT_TRUE(devicePresent(QStringLiteral("\\\\.\\") + port));
  EXPECT_FALSE(devicePresent(QStringLiteral("COM250")));
}

// A device notice, broadcast to the top-level windows from another thread as the system does,
// makes the watch look again; nothing else does (it never polls).
TEST(Win32DeviceWatch, LooksAgainWhenTheSystemAnnouncesADeviceChange) {
  REQUIRE_PORT("VORLANDEX_TEST_PTY_PORT");
  const QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  qunsetenv("VORLANDEX_COM2");
  SerialDeviceWatch watch(folder.filePath(QStringLiteral("vorlandex.conf")));
  int changes = 0;
  QObject::connect(&watch, &SerialDeviceWatch::changed, [&] { ++changes; });
  ASSERT_EQ(watch.look().com[1].path, QStringLiteral("COM2"));

  qputenv("VORLANDEX_COM2", "COM3");
  EXPECT_FALSE(
      pumpUntil([&] { return changes > 0; }, 3 * std::chrono::milliseconds(SerialDeviceWatch::kSettleMs)));
  std::thread system([] {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_ABORTIFHUNG, 2000,
                          &answer);
  });
  EXPECT_TRUE(pumpUntil([&] { return changes > 0; }, 3s));
  system.join();
  qunsetenv("VORLANDEX_COM2");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(watch.look().com[1].path, QStringLiteral("COM3"));
}

// The absent port is a name no device has, chosen for COM2 through the environment.
TEST(Win32Open, AnAbsentPortIsToldAsAbsent) {
  REQUIRE_PORT("VORLANDEX_TEST_ABSENT_PORT");
  const QTemporaryDir folder;
  Win32Backend backend(folder.filePath(QStringLiteral("vorlandex.conf")));
  const SerialBackend::OpenResult opened = backend.openPort(port.toStdString());
  EXPECT_FALSE(opened.port);
  EXPECT_EQ(opened.device, port.toStdString());
  EXPECT_EQ(openFailureKind(opened.error), SerialFailure::Absent) << opened.error;

  qputenv("VORLANDEX_COM2", port.toUtf8());
  SerialLink comm(nullptr, std::make_unique<Win32Backend>(folder.filePath(QStringLiteral("vorlandex.conf"))));
  comm.setPort(ComPort::Com2);
  try {
    comm.open();
    ADD_FAILURE() << "an absent port opened";
  } catch (const SerialError& e) {
    EXPECT_STREQ(e.what(), "Error opening com port");
    EXPECT_EQ(e.kind(), SerialFailure::Absent);
    EXPECT_EQ(e.device(), port.toStdString());
    EXPECT_TRUE(openFailureDetail(e).startsWith(QStringLiteral("Dispositivo: ") + port +
                                                QStringLiteral("\nO dispositivo não existe.")))
        << openFailureDetail(e).toStdString();
  }
  qunsetenv("VORLANDEX_COM2");
  EXPECT_FALSE(comm.isOpen());
}

TEST(Win32Open, ACharacterDeviceThatIsNoPortIsTurnedAway) {
  REQUIRE_PORT("VORLANDEX_TEST_NULL_PORT");
  const QTemporaryDir folder;
  SerialLink comm(nullptr, std::make_unique<Win32Backend>(folder.filePath(QStringLiteral("vorlandex.conf"))));
  comm.setPort(commPortOf(port));
  try {
    comm.open();
    FAIL() << "a device without a DCB opened as a port";
  } catch (const SerialError& e) {
    EXPECT_STREQ(e.what(), "File handle is not a comm handle. ");
  }
  EXPECT_FALSE(comm.isOpen());
}

// ---- the writer's stamps

struct WriteStamp {
  Clock::time_point start;  // before WriteFile
  Clock::time_point end;    // when the write was known complete
  std::size_t count = 0;
  double cpu_ms = 0;  // the writer thread's processor time at the start
};

double threadCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           1e4;
  };
  return ms(kernel) + ms(user);
}

// The real port with a stamp around every write, taken on the writer's thread.
class StampingPort final : public SerialPort {
 public:
  StampingPort(std::unique_ptr<SerialPort> port, std::vector<WriteStamp>& stamps, bool& state_taken)
      : port_(std::move(port)), stamps_(stamps), state_taken_(state_taken) {}
  bool isCharacterDevice() override { return port_->isCharacterDevice(); }
  bool applyLineSettings(const LineSettings& s) override {
    return state_taken_ = port_->applyLineSettings(s);
  }
  bool setReadInterval(std::uint32_t ms) override { return port_->setReadInterval(ms); }
  IoResult watchLineEvents(std::uint32_t e) override { return port_->watchLineEvents(e); }
  IoResult startRead(std::uint8_t* b, std::size_t n) override { return port_->startRead(b, n); }
  IoResult readResult() override { return port_->readResult(); }
  IoResult startLineEventWait() override { return port_->startLineEventWait(); }
  IoResult lineEventResult() override { return port_->lineEventResult(); }
  WaitResult waitReader(const WakeEvent& c) override { return port_->waitReader(c); }
  IoResult takeLineErrors(std::uint32_t* e) override { return port_->takeLineErrors(e); }
  WaitResult waitWriterIdle(const WakeEvent& c, const WakeEvent& q) override {
    return port_->waitWriterIdle(c, q);
  }
  IoResult startWrite(const std::uint8_t* d, std::size_t n) override {
    WriteStamp stamp{Clock::now(), {}, n, threadCpuMs()};
    const IoResult r = port_->startWrite(d, n);
    if (r.status == IoStatus::Completed) stamp.end = Clock::now();
    stamps_.push_back(stamp);
    return r;
  }
  WaitResult waitWrite(const WakeEvent& c) override { return port_->waitWrite(c); }
  IoResult writeResult() override {
    const IoResult r = port_->writeResult();
    if (r.status == IoStatus::Completed && !stamps_.empty()) stamps_.back().end = Clock::now();
    return r;
  }
  WaitResult waitUntil(const WakeEvent& c, Clock::time_point t) override { return port_->waitUntil(c, t); }
  std::size_t outputQueued() override { return port_->outputQueued(); }
  void close() override { port_->close(); }

 protected:
  void discard(Direction d) override { port_->purge(d); }

 private:
  std::unique_ptr<SerialPort> port_;
  std::vector<WriteStamp>& stamps_;
  bool& state_taken_;
};

class StampingBackend final : public Win32Backend {
 public:
  StampingBackend(QString settings, PauseTimer::Kind timer, std::vector<WriteStamp>& stamps,
                  bool& state_taken, PauseTimer::Kind& timer_used)
      : Win32Backend(std::move(settings), timer),
        stamps_(stamps),
        state_taken_(state_taken),
        timer_used_(timer_used) {}
  OpenResult openPort(const std::string& name) override {
    OpenResult r = Win32Backend::openPort(name);
    if (r.port) {
      timer_used_ = static_cast<Win32Port&>(*r.port).pauseTimerKind();
      r.port = std::make_unique<StampingPort>(std::move(r.port), stamps_, state_taken_);
    }
    return r;
  }

 private:
  std::vector<WriteStamp>& stamps_;
  bool& state_taken_;
  PauseTimer::Kind& timer_used_;
};

struct Write {
  QByteArray bytes;
  std::uint32_t pause_ms = 0;
};

// What the protocol's jobs hand over, with the pause each write owes the one before: three
// register writes ("DIMP", frame, 100 ms), then a block with the pause after its word ("DIMP",
// 100 ms, header, its bytes 12 ms apart, "F" 12 ms after the last). The block's bytes include
// every value a terminal would translate or swallow.
std::vector<Write> protocolWrites(int block_bytes) {
  std::vector<Write> writes;
  const QByteArray word("DIMP");
  for (int r = 0; r < 3; ++r) {
    writes.push_back({word, r == 0 ? 0u : 100u});
    writes.push_back({QByteArray::fromRawData("\x40\x0C\x03\xE7", 4), 0});
  }
  writes.push_back({word, 100});
  const char header[4] = {0x00, 0x00, static_cast<char>(block_bytes >> 8),
                          static_cast<char>(block_bytes & 0xFF)};
  writes.push_back({QByteArray(header, 4), 100});
  const unsigned char awkward[] = {0x0A, 0x0D, 0x11, 0x13, 0x00, 0xFF, 0x03, 0x1C, 0x7F, 0x04};
  for (int i = 0; i < block_bytes; ++i) {
    const unsigned char byte = i < 10 ? awkward[i] : static_cast<unsigned char>(i * 37 + 11);
    writes.push_back({QByteArray(1, static_cast<char>(byte)), i == 0 ? 0u : 12u});
  }
  writes.push_back({QByteArray("F"), 12});
  return writes;
}

struct Spread {
  double min = 0, median = 0, max = 0;
  std::size_t count = 0;
};

Spread spreadOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  return {values.front(), values[values.size() / 2], values.back(), values.size()};
}

std::string describe(const char* what, const Spread& s) {
  char line[160];
  std::snprintf(line, sizeof line, "%s: %zu gaps, min %.3f ms, median %.3f ms, max %.3f ms", what, s.count,
                s.min, s.median, s.max);
  return line;
}

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class Win32PseudoTerminal : public ::testing::TestWithParam<PauseTimer::Kind> {};

// Through the real link and its threads: every byte reaches the far end as it was sent,
// and at the writer's own stamps no pause is shorter than the protocol's.
TEST_P(Win32PseudoTerminal, SendsTheBytesWithTheProtocolsPauses) {
  REQUIRE_PORT("VORLANDEX_TEST_PTY_PORT");
  const QString out = testPort("VORLANDEX_TEST_OUT");
  ASSERT_FALSE(out.isEmpty());
  const QTemporaryDir folder;
  std::vector<WriteStamp> stamps;
  bool state_taken = false;
  PauseTimer::Kind timer_used = GetParam();
  SerialLink comm(nullptr,
                  std::make_unique<StampingBackend>(folder.filePath(QStringLiteral("vorlandex.conf")),
                                                    GetParam(), stamps, state_taken, timer_used));
  comm.setPort(commPortOf(port));
  int hangups = 0;
  QObject::connect(&comm, &SerialLink::hangupRequested, [&] { ++hangups; });
  const char* kind_name = GetParam() == PauseTimer::Kind::HighResolution ? "hires" : "tick";
  setTraceFileName(
      QDir::toNativeSeparators(out + QStringLiteral("/trace-%1.txt").arg(kind_name)).toStdString());

  const std::vector<Write> writes = protocolWrites(200);
  QByteArray sent;
  comm.open();
  for (const Write& w : writes) {
    ASSERT_TRUE(comm.send(w.bytes.constData(), static_cast<std::uint16_t>(w.bytes.size()), w.pause_ms));
    sent += w.bytes;
  }
  ASSERT_TRUE(pumpUntil([&] { return comm.lineLost() || stamps.size() == writes.size(); }, 30s));
  comm.close();
  QCoreApplication::processEvents();
  appendTo(out + QStringLiteral("/expected.bin"), sent);

  EXPECT_FALSE(comm.lineLost());
  EXPECT_EQ(hangups, 0);
  EXPECT_TRUE(state_taken) << "the port did not take 19200 8N1 without flow control";
  ASSERT_EQ(stamps.size(), writes.size());

  std::vector<double> data_gaps, register_gaps;
  double paused_ms = 0;
  double gaps_ms = 0;  // the gaps before writes that owed a pause
  for (std::size_t i = 1; i < writes.size(); ++i) {
    ASSERT_EQ(stamps[i].count, static_cast<std::size_t>(writes[i].bytes.size()));
    const double gap = ms(stamps[i].start - stamps[i - 1].end);
    paused_ms += writes[i].pause_ms;
    if (writes[i].pause_ms > 0) gaps_ms += gap;
    if (writes[i].pause_ms == 12) data_gaps.push_back(gap);
    if (writes[i].pause_ms == 100) register_gaps.push_back(gap);
  }
  const Spread data = spreadOf(data_gaps);
  const Spread registers = spreadOf(register_gaps);
  EXPECT_GE(data.min, 11.9);
  EXPECT_GE(registers.min, 99.9);

  // The block: from its first data byte to "F", the pauses owed and what the writer took.
  const std::size_t first_data = writes.size() - 201;
  const double block_wall = ms(stamps.back().start - stamps[first_data].end);
  const double block_cpu = stamps.back().cpu_ms - stamps[first_data].cpu_ms;
  double write_ms = 0;
  for (const WriteStamp& s : stamps) write_ms += ms(s.end - s.start);
  const char* kind =
      timer_used == PauseTimer::Kind::HighResolution ? "high-resolution timer" : "1 ms system tick";
  char line[400];
  std::snprintf(
      line, sizeof line,
      "[%s] %zu writes, %lld bytes; pauses owed %.1f ms, kept %.1f ms (ratio %.4f); first to last write "
      "%.1f ms (ratio %.4f, WriteFile itself %.1f ms in all)",
      kind, stamps.size(), static_cast<long long>(sent.size()), paused_ms, gaps_ms, gaps_ms / paused_ms,
      ms(stamps.back().start - stamps.front().end), ms(stamps.back().start - stamps.front().end) / paused_ms,
      write_ms);
  report(line);
  std::snprintf(
      line, sizeof line,
      "[%s] block of 200 bytes: %.1f ms from its first data byte to \"F\" for 2400 ms owed (ratio %.4f); "
      "writer CPU meanwhile %.1f ms (%.1f %%)",
      kind, block_wall, block_wall / 2400.0, block_cpu, 100.0 * block_cpu / block_wall);
  report(line);
  report(std::string("[") + kind + "] " + describe("data-byte gaps (12 ms owed)", data));
  report(std::string("[") + kind + "] " + describe("register gaps (100 ms owed)", registers));

  QFile csv(out + QStringLiteral("/stamps-%1.csv").arg(kind_name));
  ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
  csv.write("write,pause_ms,bytes,gap_ms,write_ms,writer_cpu_ms\n");
  for (std::size_t i = 0; i < stamps.size(); ++i) {
    csv.write(QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                  .arg(i)
                  .arg(writes[i].pause_ms)
                  .arg(stamps[i].count)
                  .arg(i == 0 ? 0.0 : ms(stamps[i].start - stamps[i - 1].end), 0, 'f', 3)
                  .arg(ms(stamps[i].end - stamps[i].start), 0, 'f', 3)
                  .arg(stamps[i].cpu_ms, 0, 'f', 1)
                  .toUtf8());
  }
}

// A job's close ends at once, whatever the system does with the reader's transfers: Wine now and
// then never ends a cancelled line-event wait, and the close must neither wait for it nor free
// what the system still holds.
TEST(Win32Close, EndsPromptlyWithTransfersInFlight) {
  REQUIRE_PORT("VORLANDEX_TEST_PTY_PORT");
  const QString out = testPort("VORLANDEX_TEST_OUT");
  const QTemporaryDir folder;
  std::vector<WriteStamp> stamps;
  bool state_taken = false;
  PauseTimer::Kind timer_used = PauseTimer::Kind::HighResolution;
  SerialLink comm(nullptr,
                  std::make_unique<StampingBackend>(folder.filePath(QStringLiteral("vorlandex.conf")),
                                                    timer_used, stamps, state_taken, timer_used));
  comm.setPort(commPortOf(port));
  // As a block ends: bytes 12 ms apart, the last one closed behind within moments.
  const QByteArray block("DIMP0123456789abcdefF");
  double slowest_ms = 0;
  for (int i = 0; i < 8; ++i) {
    comm.open();
    for (int b = 0; b < block.size(); ++b) ASSERT_TRUE(comm.send(block.constData() + b, 1, b < 4 ? 0 : 12));
    ASSERT_TRUE(pumpUntil(
        [&] { return comm.lineLost() || stamps.size() == std::size_t((i + 1) * block.size() - 1); }, 10s));
    const Clock::time_point start = Clock::now();
    comm.close();
    slowest_ms =
        std::max(slowest_ms, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    EXPECT_FALSE(comm.lineLost());
    if (!out.isEmpty()) appendTo(out + QStringLiteral("/expected.bin"), block);
  }
  EXPECT_EQ(stamps.size(), 8u * block.size());
  report("a block's close: slowest of 8 " + std::to_string(slowest_ms) + " ms");
  // A wait for a transfer the system keeps would take a second and more.
  EXPECT_LT(slowest_ms, 500.0);
}

INSTANTIATE_TEST_SUITE_P(Timers, Win32PseudoTerminal,
                         ::testing::Values(PauseTimer::Kind::HighResolution, PauseTimer::Kind::SystemTick),
                         [](const auto& info) {
                           return info.param == PauseTimer::Kind::HighResolution ? "HighResolution"
                                                                                 : "SystemTick";
                         });

}  // namespace
}  // namespace vx
