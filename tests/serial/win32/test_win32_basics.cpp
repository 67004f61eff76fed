// The Windows back end's parts that need no port: the wake event, the clock and the pause timer
// the writer keeps its pauses with, the line settings, the failure kinds and texts, the port
// names, the thread priorities.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "serial/open_failure.h"
#include "serial/port_choices.h"
#include "serial/system_errors.h"
#include "serial/trace.h"
#include "serial/wake_event.h"
#include "serial/win32/pause_timer.h"
#include "serial/win32/win32_backend.h"
#include "serial/win32/win32_port.h"
#include "serial/win32/windows_api.h"

namespace vx {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

HANDLE handleOf(const WakeEvent& event) { return reinterpret_cast<HANDLE>(event.nativeHandle()); }

TEST(Win32WakeEvent, IsAManualResetEventThatWaitsSeeUntilReset) {
  int error = -1;
  std::unique_ptr<WakeEvent> event = WakeEvent::create(&error);
  ASSERT_TRUE(event);
  EXPECT_FALSE(event->isSet());
  EXPECT_EQ(::WaitForSingleObject(handleOf(*event), 0), WAIT_TIMEOUT);
  event->set();
  event->set();
  // Manual reset: a completed wait leaves it set, for every other waiter too.
  EXPECT_EQ(::WaitForSingleObject(handleOf(*event), 0), WAIT_OBJECT_0);
  EXPECT_TRUE(event->isSet());
  event->reset();  // one reset undoes any number of sets
  EXPECT_FALSE(event->isSet());
  // Another thread's set ends a wait on the native handle.
  std::thread setter([&] {
    std::this_thread::sleep_for(20ms);
    event->set();
  });
  EXPECT_EQ(::WaitForSingleObject(handleOf(*event), 5000), WAIT_OBJECT_0);
  setter.join();
}

// The writer's pauses are measured on std::chrono::steady_clock; on MinGW's runtime it must be
// QueryPerformanceCounter, not the 1 to 15.6 ms system time.
TEST(Win32Clock, SteadyClockIsThePerformanceCounter) {
  LARGE_INTEGER frequency, qpc_before, qpc_after;
  ASSERT_TRUE(::QueryPerformanceFrequency(&frequency));
  ::QueryPerformanceCounter(&qpc_before);
  const Clock::time_point before = Clock::now();
  std::this_thread::sleep_for(30ms);
  ::QueryPerformanceCounter(&qpc_after);
  const Clock::time_point after = Clock::now();
  const double qpc_us =
      1e6 * static_cast<double>(qpc_after.QuadPart - qpc_before.QuadPart) / frequency.QuadPart;
  const double steady_us = std::chrono::duration<double, std::micro>(after - before).count();
  EXPECT_NEAR(steady_us, qpc_us, 100.0);
  // Fine steps: the smallest advance seen is well under a microsecond.
  Clock::duration step = Clock::duration::max();
  for (int i = 0; i < 10000 && step > 1us; ++i) {
    const Clock::time_point a = Clock::now();
    Clock::time_point b;
    while ((b = Clock::now()) == a) {
    }
    step = std::min(step, b - a);
  }
  EXPECT_LT(step, 1us);
}

class Win32PauseTimer : public ::testing::TestWithParam<PauseTimer::Kind> {};

// A pause never ends before its deadline, with or without a close event, and a set close event
// ends it at once.
TEST_P(Win32PauseTimer, NeverEndsEarlyAndTheCloseEventEndsIt) {
  DWORD error = 0;
  std::unique_ptr<PauseTimer> timer = PauseTimer::create(GetParam(), &error);
  ASSERT_TRUE(timer) << error;
  std::unique_ptr<WakeEvent> close = WakeEvent::create(nullptr);
  std::vector<double> late_us;
  for (const auto pause :
       {12ms, 12ms, 1ms, 100ms, 12ms, 3ms, 12ms, 12ms, 12ms, 12ms, 12ms, 12ms, 12ms, 12ms}) {
    const Clock::time_point deadline = Clock::now() + pause;
    const WaitResult r = timer->waitUntil(handleOf(*close), deadline);
    const Clock::time_point end = Clock::now();
    ASSERT_EQ(r.event, WaitEvent::Deadline);
    ASSERT_GE(end, deadline);
    late_us.push_back(std::chrono::duration<double, std::micro>(end - deadline).count());
  }
  // How late is the machine's: the timer sleeps to the deadline and never spins (the writer's
  // own margin brings its writes to the deadline, as the pseudo-terminal's spacing shows).
  std::sort(late_us.begin(), late_us.end());
  std::printf("[ pause timer %s ] lateness median %.0f us, max %.0f us\n",
              timer->kind() == PauseTimer::Kind::HighResolution ? "high-resolution" : "system tick",
              late_us[late_us.size() / 2], late_us.back());
  // Without a close event, as the job's pacer waits.
  const Clock::time_point alone = Clock::now() + 5ms;
  EXPECT_EQ(timer->waitUntil(nullptr, alone).event, WaitEvent::Deadline);
  EXPECT_GE(Clock::now(), alone);

  std::thread closer([&] {
    std::this_thread::sleep_for(30ms);
    close->set();
  });
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(timer->waitUntil(handleOf(*close), start + 10s).event, WaitEvent::Close);
  EXPECT_LT(Clock::now() - start, 2s);
  closer.join();
}

INSTANTIATE_TEST_SUITE_P(Kinds, Win32PauseTimer,
                         ::testing::Values(PauseTimer::Kind::HighResolution, PauseTimer::Kind::SystemTick),
                         [](const auto& info) {
                           return info.param == PauseTimer::Kind::HighResolution ? "HighResolution"
                                                                                 : "SystemTick";
                         });

TEST(Win32LineSettings, GiveThePrintersLineWithoutAnyFlowControl) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  // A port left by another program with every kind of handshake and replacement on.
  dcb.BaudRate = 9600;
  dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = dcb.fDsrSensitivity = dcb.fOutX = dcb.fInX = TRUE;
  dcb.fErrorChar = dcb.fNull = dcb.fAbortOnError = dcb.fParity = TRUE;
  dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
  dcb.fRtsControl = RTS_CONTROL_TOGGLE;
  dcb.XonChar = 0x11;
  setLineSettings(dcb, LineSettings{});
  EXPECT_EQ(dcb.BaudRate, 19200u);
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(dcb.Parity, NOPARITY);
  EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
  EXPECT_TRUE(dcb.fBinary);
  EXPECT_FALSE(dcb.fParity);
  EXPECT_FALSE(dcb.fOutxCtsFlow || dcb.fOutxDsrFlow || dcb.fDsrSensitivity || dcb.fOutX || dcb.fInX);
  EXPECT_FALSE(dcb.fErrorChar || dcb.fNull || dcb.fAbortOnError);
  EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
  EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));

  setLineSettings(dcb, LineSettings{9600, 7, Parity::Even, StopBits::Two});
  EXPECT_EQ(dcb.ByteSize, 7);
  EXPECT_EQ(dcb.Parity, EVENPARITY);
  EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
  EXPECT_TRUE(dcb.fParity);  // a parity that is sent is checked on what arrives
}

TEST(Win32OpenFailure, SystemErrorsReadAsTheKindsTheMessagesTellApart) {
  const struct {
    DWORD error;
    SerialFailure kind;
  } rows[] = {
      {ERROR_FILE_NOT_FOUND, SerialFailure::Absent},
      {ERROR_PATH_NOT_FOUND, SerialFailure::Absent},
      {ERROR_INVALID_NAME, SerialFailure::Absent},
      {ERROR_DEVICE_NOT_CONNECTED, SerialFailure::Absent},
      {ERROR_ACCESS_DENIED, SerialFailure::Busy},
      {ERROR_SHARING_VIOLATION, SerialFailure::Busy},
      {ERROR_PRIVILEGE_NOT_HELD, SerialFailure::Other},  // no group to join: the system's text
      {740 /* ERROR_ELEVATION_REQUIRED */, SerialFailure::Other},
      {ERROR_DIRECTORY, SerialFailure::NotSerial},
      {ERROR_NOT_ENOUGH_MEMORY, SerialFailure::Other},
      {ERROR_GEN_FAILURE, SerialFailure::Other},
  };
  for (const auto& row : rows) EXPECT_EQ(openFailureKind(static_cast<int>(row.error)), row.kind) << row.error;
  EXPECT_EQ(owningGroup("COM1"), "");
}

TEST(Win32OpenFailure, TextsComeFromTheSystemWithoutALineEnd) {
  const std::string text = systemErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), '\r');
  EXPECT_EQ(traceErrorText(ERROR_FILE_NOT_FOUND, "Unable to open: "),
            "Unable to open: GetLastError returned: \"" + text + "\"");
  // An absent port is told as absent; any other error carries the system's own text.
  const auto detail = [](DWORD error) {
    const int code = static_cast<int>(error);
    return openFailureDetail(SerialError("Unable to open port", openFailureKind(code), code, "COM7"));
  };
  EXPECT_TRUE(detail(ERROR_FILE_NOT_FOUND).startsWith(QStringLiteral("Dispositivo: COM7\nO dispositivo não existe.")))
      << detail(ERROR_FILE_NOT_FOUND).toStdString();
  EXPECT_TRUE(detail(ERROR_GEN_FAILURE).contains(QString::fromStdString(systemErrorText(ERROR_GEN_FAILURE))))
      << detail(ERROR_GEN_FAILURE).toStdString();
  EXPECT_FALSE(detail(ERROR_PRIVILEGE_NOT_HELD).contains(QStringLiteral("grupo")))
      << detail(ERROR_GEN_FAILURE).toStdString();
}

TEST(Win32PortNames, PortsOpenInTheDeviceNamespaceWhateverTheirNumber) {
  EXPECT_EQ(createFileName(QStringLiteral("COM1")), QStringLiteral("\\\\.\\COM1"));
  EXPECT_EQ(createFileName(QStringLiteral("COM12")), QStringLiteral("\\\\.\\COM12"));
  EXPECT_EQ(createFileName(QStringLiteral("\\\\.\\COM12")), QStringLiteral("\\\\.\\COM12"));
  EXPECT_EQ(createFileName(QStringLiteral("C:\\temp\\port.bin")), QStringLiteral("C:\\temp\\port.bin"));

  for (const char* good : {"COM1", "COM12", "com3", "CNCA0", "\\\\.\\COM12"})
    EXPECT_TRUE(isAcceptableDevicePath(QString::fromLatin1(good))) << good;
  for (const char* bad : {"", "/dev/ttyS0", "COM 1", "C:\\port", "\\\\.\\", "1COM", "COM1\n", "\\\\?\\C:\\x"})
    EXPECT_FALSE(isAcceptableDevicePath(QString::fromLatin1(bad))) << bad;
  EXPECT_EQ(defaultComDevice(3), QStringLiteral("COM3"));
}

TEST(Win32PortNames, ComPortsResolveToTheEnvironmentTheStoredChoiceOrThemselves) {
  const QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString settings = folder.filePath(QStringLiteral("vorlandex.conf"));
  PortChoices choices(settings);
  ASSERT_TRUE(choices.store(3, QStringLiteral("COM17")));
  EXPECT_FALSE(choices.store(2, QStringLiteral("/dev/ttyUSB0")));
  qunsetenv("VORLANDEX_COM2");
  qputenv("VORLANDEX_COM4", "COM23");
  EXPECT_EQ(comPortDevice("COM2", choices), QStringLiteral("COM2"));
  EXPECT_EQ(comPortDevice("COM3", choices), QStringLiteral("COM17"));
  EXPECT_EQ(comPortDevice("COM4", choices), QStringLiteral("COM23"));
  EXPECT_TRUE(comPortDevice("COM12", choices).isEmpty());  // any other name is opened as it is
  qunsetenv("VORLANDEX_COM4");
}

TEST(Win32Threads, TheWriterRunsTimeCriticalAndTheReaderHighest) {
  struct Backend : SerialBackend {
    OpenResult openPort(const std::string&) override { return {}; }
  } backend;
  int writer = 0;
  int reader = 0;
  std::thread a = backend.startThread([&] { writer = ::GetThreadPriority(::GetCurrentThread()); }, 1, true);
  std::thread b = backend.startThread([&] { reader = ::GetThreadPriority(::GetCurrentThread()); }, 2, false);
  a.join();
  b.join();
  EXPECT_EQ(writer, THREAD_PRIORITY_TIME_CRITICAL);
  EXPECT_EQ(reader, THREAD_PRIORITY_HIGHEST);
}

}  // namespace
}  // namespace vx
