// The serial link over a real pseudo-terminal with the POSIX back end: the test keeps the far end
// (the printer's end of the line) and points COM1 at the near end through VORLANDEX_COM1.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "pseudo_terminal.h"
#include "refused_termios2.h"
#include "serial/device_backend.h"
#include "serial/open_failure.h"
#include "serial/port_choices.h"
#include "serial/posix/arbitrary_speed.h"
#include "serial/serial_link.h"
#include "serial/system_errors.h"
#include "serial_test_support.h"

namespace vx {
namespace {

using namespace vx::testing;

int openDescriptors() {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

class SerialLinkPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    line_.useAsComPort(1);
    comm_ = std::make_unique<SerialLink>();
    listen(*comm_, reports_);
  }
  void TearDown() override { comm_.reset(); }

  std::string openError(SerialLink& comm, std::string* detail = nullptr) {
    try {
      comm.open();
    } catch (const SerialError& e) {
      if (detail) *detail = openFailureDetail(e).toStdString();
      return e.what();
    }
    return "";
  }

  // As the system makes it: the link must set the line up itself.
  test::PseudoTerminal line_{test::PseudoTerminal::Line::SystemDefault};
  std::unique_ptr<SerialLink> comm_;
  Reports reports_;
};

TEST_F(SerialLinkPtyTest, EveryByteValuePassesUnchangedBothWays) {
  ASSERT_TRUE(comm_->open());
  std::string all(256, '\0');
  for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);

  ASSERT_TRUE(comm_->send(all.data(), 256));
  EXPECT_EQ(line_.read(all.size()), all);

  ASSERT_EQ(::write(line_.farEnd(), all.data(), all.size()), 256);
  ASSERT_TRUE(pumpUntil([&] { return reports_.joined().size() >= 256; }));
  EXPECT_EQ(reports_.joined(), all);
}

TEST_F(SerialLinkPtyTest, LineIsRaw19200EightNoneOneWithoutFlowControl) {
  ASSERT_TRUE(comm_->open());
  termios t{};
  ASSERT_EQ(::tcgetattr(line_.nearEnd(), &t), 0);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | IXANY), 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B19200));
}

TEST_F(SerialLinkPtyTest, InterleavedOneAndFourByteRequestsArriveWholeAndInCallOrder) {
  ASSERT_TRUE(comm_->open());
  test::FarEndReader printer(line_);
  std::string expected;
  for (int i = 0; i < 800; ++i) {
    std::string request = (i % 2) ? std::string(1, static_cast<char>(i)) : std::string("DIMP");
    if (i % 2 == 0) request[3] = static_cast<char>(i / 2);
    expected += request;
    ASSERT_TRUE(comm_->send(request.data(), static_cast<std::uint16_t>(request.size())));
  }
  ASSERT_TRUE(printer.waitFor(expected.size(), 5s));
  EXPECT_EQ(printer.text(), expected);
}

TEST_F(SerialLinkPtyTest, CloseRightAfterSendLosesNothing) {
  test::FarEndReader printer(line_);
  std::string expected;
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(comm_->open());
    for (int i = 0; i < 1500; ++i) {
      const char frame[4] = {'F', static_cast<char>(round), static_cast<char>(i >> 8), static_cast<char>(i)};
      expected.append(frame, 4);
      ASSERT_TRUE(comm_->send(frame, 4));
    }
    comm_->close();
  }
  ASSERT_TRUE(printer.waitFor(expected.size(), 5s));
  EXPECT_EQ(printer.text(), expected);
}

TEST_F(SerialLinkPtyTest, CloseWaitsForAStalledLineThatResumes) {
  ASSERT_TRUE(comm_->open());
  // Stops output on the line (tcflow on the far end does not stop the near end's writes on
  // current kernels; stopping the near end's own output does).
  ASSERT_EQ(::tcflow(line_.nearEnd(), TCOOFF), 0);
  const std::string frame = "DIMP\x10\x20\x30\x40";
  ASSERT_TRUE(comm_->send(frame.data(), static_cast<std::uint16_t>(frame.size())));
  EXPECT_EQ(line_.drain(100ms), "");  // really stalled

  std::thread resume([this] {
    std::this_thread::sleep_for(300ms);
    ::tcflow(line_.nearEnd(), TCOON);
  });
  const auto start = Clock::now();
  comm_->close();
  const double took = msSince(start);
  resume.join();
  EXPECT_GE(took, 150);
  EXPECT_LT(took, SerialLink::kDrainMarginMs + 500);
  EXPECT_EQ(line_.read(frame.size()), frame);
}

TEST_F(SerialLinkPtyTest, SecondOpenRaisesAndTheFirstPortKeepsWorking) {
  ASSERT_TRUE(comm_->open());
  EXPECT_EQ(openError(*comm_), "Already have a comm file open");
  ASSERT_TRUE(comm_->send("still open", 10));
  EXPECT_EQ(line_.read(10), "still open");
}

TEST_F(SerialLinkPtyTest, ClosedPortSendsNothingAndEmptyRequestsPutNothingOnTheLine) {
  EXPECT_FALSE(comm_->send("before", 6));
  comm_->close();  // nothing open: nothing happens
  ASSERT_TRUE(comm_->open());
  EXPECT_TRUE(comm_->send("", 0));
  EXPECT_TRUE(comm_->send("x", 1));
  EXPECT_EQ(line_.read(1), "x");
  comm_->close();
  comm_->close();
  EXPECT_FALSE(comm_->send("after", 5));
  EXPECT_EQ(line_.drain(50ms), "");
  ASSERT_TRUE(comm_->open());  // and the cycle repeats
  EXPECT_TRUE(comm_->send("again", 5));
  EXPECT_EQ(line_.read(5), "again");
}

TEST_F(SerialLinkPtyTest, OpenFailuresRaiseTheirTextAndLeakNothing) {
  const std::string file = ::testing::TempDir() + "/vx_not_a_port";
  {
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_TRUE(f);
    std::fclose(f);
  }
  const int locker = ::open(line_.path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(locker, 0);
  const int before = openDescriptors();

  struct Row {
    std::string device;
    bool lock;
    const char* text;
    const char* reason;  // the detail's second line
  };
  const Row rows[] = {
      {"/dev/vorlandex-no-such-port", false, "Error opening com port",
       "O dispositivo não existe. Verifique o cabo e o adaptador."},
      {file, false, "File handle is not a comm handle. ", "O caminho não é um dispositivo serial."},
      {line_.path(), true, "Error opening com port",  // another program holds it
       "O dispositivo está em uso por outro programa."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.device);
    ::setenv("VORLANDEX_COM1", row.device.c_str(), 1);
    if (row.lock) {
      ASSERT_EQ(::flock(locker, LOCK_EX | LOCK_NB), 0);
    }
    std::string detail;
    EXPECT_EQ(openError(*comm_, &detail), row.text);
    EXPECT_EQ(detail, "Dispositivo: " + row.device + "\n" + row.reason);
    EXPECT_FALSE(comm_->send("x", 1));
    EXPECT_EQ(openDescriptors(), before);
    if (row.lock) ::flock(locker, LOCK_UN);
  }
  ::setenv("VORLANDEX_COM1", line_.path().c_str(), 1);
  EXPECT_EQ(openError(*comm_), "");  // free again
  ::close(locker);
  std::remove(file.c_str());
}

// A device the user may not open names the group that owns it. Root opens anything, so the open
// runs in a child that has become an unprivileged user.
TEST_F(SerialLinkPtyTest, RefusedPermissionNamesTheDevicesGroup) {
  const std::string device = line_.path();
  ASSERT_EQ(::chmod(device.c_str(), 0), 0);
  struct stat st {};
  ASSERT_EQ(::stat(device.c_str(), &st), 0);
  const group* owner = ::getgrgid(st.st_gid);
  ASSERT_TRUE(owner);
  const std::string expected = "Dispositivo: " + device +
                               "\nPermissão negada. O usuário precisa pertencer ao grupo \"" +
                               owner->gr_name + "\", dono do dispositivo, e entrar novamente na sessão.";
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipe_fds[0]);
    const bool dropped =
        ::getuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0);
    std::string detail = dropped ? "" : "could not become an unprivileged user";
    if (dropped) {
      SerialBackend::OpenResult opened = DeviceBackend().openPort(device);
      const SerialError refused("Error opening com port", openFailureKind(opened.error), opened.error,
                                opened.device);
      detail = opened.port ? "opened" : openFailureDetail(refused).toStdString();
    }
    (void)!::write(pipe_fds[1], detail.data(), detail.size());
    ::_exit(0);
  }
  ::close(pipe_fds[1]);
  std::string detail;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
    detail.append(buffer, static_cast<std::size_t>(n));
  ::close(pipe_fds[0]);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(detail, expected);
}

TEST_F(SerialLinkPtyTest, PortOpenInOneComponentIsRefusedToAnotherUntilClosed) {
  ASSERT_TRUE(comm_->open());
  SerialLink other;
  EXPECT_EQ(openError(other), "Error opening com port");
  comm_->close();
  EXPECT_EQ(openError(other), "");
  EXPECT_TRUE(other.send("other", 5));
  EXPECT_EQ(line_.read(5), "other");
  other.close();
}

TEST_F(SerialLinkPtyTest, FarEndClosedMidJobEndsBothThreadsWithHangups) {
  const int before = openDescriptors();
  ASSERT_TRUE(comm_->open());
  ASSERT_TRUE(comm_->send("frame", 5));
  EXPECT_EQ(line_.read(5), "frame");

  line_.closeFarEnd();                                            // the adapter is pulled
  ASSERT_TRUE(pumpUntil([&] { return reports_.hangups >= 2; }));  // the reader and the idle writer
  EXPECT_FALSE(comm_->send("lost", 4));
  const auto start = Clock::now();
  comm_->close();
  EXPECT_LT(msSince(start), 500);
  EXPECT_EQ(openDescriptors(), before - 1);  // the far end is gone, nothing else
  pumpFor(20ms);
}

TEST_F(SerialLinkPtyTest, FarEndClosedDuringAWriteEndsTheWriter) {
  ASSERT_TRUE(comm_->open());
  ASSERT_EQ(::tcflow(line_.nearEnd(), TCOOFF), 0);
  ASSERT_TRUE(comm_->send("stalled", 7));
  pumpFor(50ms);
  line_.closeFarEnd();
  ASSERT_TRUE(pumpUntil([&] { return !comm_->send("x", 1); }));
  const auto start = Clock::now();
  comm_->close();
  EXPECT_LT(msSince(start), SerialLink::kDrainMarginMs + 500);
}

// The B-constant of a speed that has one, B0 for the others.
speed_t standardSpeedCode(std::uint32_t rate) {
  static constexpr std::pair<std::uint32_t, speed_t> kCodes[] = {
      {110, B110},   {300, B300},   {600, B600},     {1200, B1200},  {2400, B2400},
      {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400}};
  for (const auto& [bits, code] : kCodes) {
    if (bits == rate) return code;
  }
  return B0;
}

TEST_F(SerialLinkPtyTest, EverySpeedReachesTheDevice) {
  // qemu's user-mode emulator has no termios2 calls (ENOSYS): there only the speeds with a
  // B-constant can be set and read, and the test says so.
  const bool termios2 = arbitrarySpeed(line_.nearEnd()) != 0;
  if (!termios2) std::printf("[ no termios2 calls ] only the speeds with a B-constant are tried\n");
  static constexpr std::uint32_t kSpeeds[] = {110,   300,   600,   1200,  2400,   4800,  9600,
                                              14400, 19200, 38400, 56000, 128000, 256000};
  for (int i = 0; i < static_cast<int>(std::size(kSpeeds)); ++i) {
    SCOPED_TRACE(kSpeeds[i]);
    const speed_t code = standardSpeedCode(kSpeeds[i]);
    if (!termios2 && code == B0) continue;
    comm_->setLineSettings({kSpeeds[i], 8, Parity::None, i % 2 ? StopBits::Two : StopBits::One});
    ASSERT_TRUE(comm_->open());
    termios t{};
    ASSERT_EQ(::tcgetattr(line_.nearEnd(), &t), 0);
    if (termios2) {
      EXPECT_EQ(arbitrarySpeed(line_.nearEnd()), kSpeeds[i]);
    }
    if (code != B0) {
      EXPECT_EQ(::cfgetospeed(&t), code);
    }
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, i % 2 == 1);
    comm_->close();
  }
}

TEST_F(SerialLinkPtyTest, SettingsAreReadBackAfterApplying) {
  SerialBackend::OpenResult opened = DeviceBackend().openPort(line_.path());
  ASSERT_TRUE(opened.port);
  EXPECT_TRUE(opened.port->isCharacterDevice());
  EXPECT_TRUE(opened.port->applyLineSettings(LineSettings{}));
  // A pseudo-terminal keeps 8 data bits without parity whatever it is asked for.
  EXPECT_FALSE(opened.port->applyLineSettings(LineSettings{19200, 7, Parity::Even, StopBits::One}));
  termios t{};
  ASSERT_EQ(::tcgetattr(line_.nearEnd(), &t), 0);
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B19200));
  EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8));
}

TEST_F(SerialLinkPtyTest, StandardSpeedsNeedNoTermios2Calls) {
  // Where TCGETS2 and TCSETS2 answer ENOSYS (qemu's user-mode emulator), a standard speed is still
  // set and taken as set. The emulator refuses seccomp filters, and needs none.
  bool refused = false, applied = false;
  std::thread([&] {
    refused = refuseTermios2CallsInThisThread() || arbitrarySpeed(line_.nearEnd()) == 0;
    SerialBackend::OpenResult opened = DeviceBackend().openPort(line_.path());
    if (!refused || !opened.port) return;
    applied = opened.port->applyLineSettings(LineSettings{9600});
  }).join();
  ASSERT_TRUE(refused) << "the termios2 calls could not be taken away";
  EXPECT_TRUE(applied);
  termios t{};
  ASSERT_EQ(::tcgetattr(line_.nearEnd(), &t), 0);
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B9600));
}

struct PortName {
  ComPort port;
  const char* variable;
  const char* fallback;
};

class DevicePathTest : public ::testing::TestWithParam<PortName> {};

// Environment first, then the operator's stored choice, then the on-board port.
TEST_P(DevicePathTest, EnvironmentThenStoredChoiceThenTheStandardDevice) {
  const PortName& row = GetParam();
  const std::string name = comPortName(row.port);
  QTemporaryDir dir;
  const PortChoices choices(dir.filePath(QStringLiteral("vorlandex.conf")));
  ::unsetenv(row.variable);
  EXPECT_EQ(comPortDevice(name, choices), row.fallback);
  ASSERT_TRUE(PortChoices(choices).store(comPortNumber(QString::fromStdString(name)),
                                         QStringLiteral("/dev/serial/by-id/usb-x")));
  EXPECT_EQ(comPortDevice(name, choices), "/dev/serial/by-id/usb-x");
  ::setenv(row.variable, "/dev/ttyUSB7", 1);
  EXPECT_EQ(comPortDevice(name, choices), "/dev/ttyUSB7");
  ::unsetenv(row.variable);
  EXPECT_TRUE(comPortDevice("/dev/ttyUSB7", choices).isEmpty());  // a device already
}

INSTANTIATE_TEST_SUITE_P(Ports, DevicePathTest,
                         ::testing::Values(PortName{ComPort::Com1, "VORLANDEX_COM1", "/dev/ttyS0"},
                                           PortName{ComPort::Com2, "VORLANDEX_COM2", "/dev/ttyS1"},
                                           PortName{ComPort::Com3, "VORLANDEX_COM3", "/dev/ttyS2"},
                                           PortName{ComPort::Com4, "VORLANDEX_COM4", "/dev/ttyS3"}));

TEST_F(SerialLinkPtyTest, CommPortPicksItsOwnVariable) {
  line_.useAsComPort(3);  // and COM1 no longer
  comm_->setPort(ComPort::Com3);
  ASSERT_TRUE(comm_->open());
  ASSERT_TRUE(comm_->send("COM3", 4));
  EXPECT_EQ(line_.read(4), "COM3");
  comm_->close();
}

}  // namespace
}  // namespace vx
