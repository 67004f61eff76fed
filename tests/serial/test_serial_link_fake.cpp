// The link's own rules over the scripted back end: what open() sets up and raises, the partly
// open states, the hand-over of received blocks and hang-ups to the owner, the bounded close and
// the one rule of every purge.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "fake_backend.h"
#include "serial/open_failure.h"
#include "serial/serial_link.h"
#include "serial_test_support.h"

namespace vx {
namespace {

using namespace vx::testing;

class SerialLinkFakeTest : public ::testing::Test {
 protected:
  SerialLinkFakeTest() {
    auto fake = std::make_unique<FakeBackend>();
    fake_ = fake.get();
    comm_ = std::make_unique<SerialLink>(nullptr, std::move(fake));
    listen(*comm_, reports_);
  }
  ~SerialLinkFakeTest() override {
    if (comm_) comm_->close();
  }

  std::string writtenText() const {
    const auto w = fake_->written();
    return {w.begin(), w.end()};
  }
  // The text open() raised (empty when it raised nothing); its kind and error number are kept.
  std::string openError() {
    try {
      comm_->open();
    } catch (const SerialError& e) {
      kind_ = e.kind();
      error_ = e.error();
      return e.what();
    }
    return "";
  }

  FakeBackend* fake_;
  SerialFailure kind_ = SerialFailure::Other;
  int error_ = 0;
  std::unique_ptr<SerialLink> comm_;
  Reports reports_;
};

TEST_F(SerialLinkFakeTest, OpenAppliesThePrintersLineTheReadIntervalAndPriorities) {
  EXPECT_FALSE(comm_->send("x", 1));  // nothing open yet
  comm_->setPort(ComPort::Com3);
  EXPECT_TRUE(comm_->open());
  EXPECT_EQ(fake_->openedNames(), std::vector<std::string>{"COM3"});
  EXPECT_EQ(fake_->appliedSettings(), (LineSettings{19200, 8, Parity::None, StopBits::One}));
  EXPECT_EQ(fake_->appliedReadInterval(), 250u);
  EXPECT_EQ(fake_->threadPriorities(), (std::vector<int>{2, 1}));  // reader, then writer
}

TEST_F(SerialLinkFakeTest, SettingsChangedWhileOpenWaitForTheNextOpen) {
  comm_->open();
  comm_->setPort(ComPort::Com2);
  const LineSettings other{256000, 7, Parity::Space, StopBits::OneAndHalf};
  comm_->setLineSettings(other);
  EXPECT_EQ(fake_->appliedSettings(), LineSettings{});
  comm_->close();
  comm_->open();
  EXPECT_EQ(fake_->openedNames(), (std::vector<std::string>{"COM1", "COM2"}));
  EXPECT_EQ(fake_->appliedSettings(), other);
}

TEST_F(SerialLinkFakeTest, OpenFailuresRaiseTheirTextAndLeaveThePortClosed) {
  fake_->failOpen(EBUSY);
  EXPECT_EQ(openError(), "Error opening com port");
  EXPECT_EQ(kind_, SerialFailure::Busy);
  EXPECT_EQ(error_, EBUSY);
  fake_->failOpen(EACCES);
  EXPECT_EQ(openError(), "Error opening com port");
  EXPECT_EQ(kind_, SerialFailure::Permission);
  fake_->failOpen(0);
  fake_->setCharacterDevice(false);
  EXPECT_EQ(openError(), "File handle is not a comm handle. ");
  EXPECT_EQ(kind_, SerialFailure::NotSerial);
  EXPECT_EQ(fake_->openPorts(), 0);
  fake_->setCharacterDevice(true);
  EXPECT_EQ(openError(), "");
  EXPECT_EQ(fake_->openPorts(), 1);
}

TEST_F(SerialLinkFakeTest, CloseEventFailureAnswersFalseAndClosesThePort) {
  fake_->failNextCloseEvent(EMFILE);
  EXPECT_FALSE(comm_->open());
  EXPECT_EQ(fake_->openPorts(), 0);
  EXPECT_FALSE(comm_->send("x", 1));
  EXPECT_TRUE(comm_->open());  // nothing was left behind
}

// A thread the system would not start: the reason carries the system's own words in both languages;
// a port already open has no system error behind it.
TEST(OpenFailureReason, AFailureOfNoDeviceKindStillGivesTheSystemsReason) {
  const SerialError thread("Unable to create Write thread", SerialFailure::ThreadNotStarted, EAGAIN,
                           "/dev/ttyS0");
  const QString system = QString::fromLocal8Bit(std::strerror(EAGAIN));
  EXPECT_EQ(openFailureReason(thread, FailureLanguage::English), "Unable to create Write thread: " + system);
  EXPECT_EQ(openFailureDetail(thread), "Dispositivo: /dev/ttyS0\n" + system);
  const SerialError open("Already have a comm file open", SerialFailure::AlreadyOpen);
  EXPECT_EQ(openFailureReason(open, FailureLanguage::English), "Already have a comm file open");
  EXPECT_EQ(openFailureDetail(open), "");
}

struct ThreadFailure {
  int nth;
  const char* text;
  bool reader_ran;  // the reader was running, and purges its side once when close() stops it
};

class ThreadStartFailureTest : public SerialLinkFakeTest,
                               public ::testing::WithParamInterface<ThreadFailure> {};

TEST_P(ThreadStartFailureTest, LeavesThePortPartlyOpenUntilClose) {
  fake_->failThreadStart(GetParam().nth, EAGAIN);
  EXPECT_EQ(openError(), GetParam().text);
  EXPECT_EQ(kind_, SerialFailure::ThreadNotStarted);
  EXPECT_EQ(error_, EAGAIN);
  EXPECT_EQ(openError(), "Already have a comm file open");
  EXPECT_EQ(kind_, SerialFailure::AlreadyOpen);
  EXPECT_FALSE(comm_->send("x", 1));
  EXPECT_EQ(fake_->openPorts(), 1);
  comm_->close();
  EXPECT_EQ(fake_->openPorts(), 0);
  const auto discards = fake_->discards();
  EXPECT_EQ(std::count(discards.begin(), discards.end(), Direction::Receive), GetParam().reader_ran ? 1 : 0);
  EXPECT_TRUE(comm_->open());
  EXPECT_TRUE(comm_->send("ok", 2));
  EXPECT_TRUE(fake_->waitForWritten(2, 2s));
}

INSTANTIATE_TEST_SUITE_P(Threads, ThreadStartFailureTest,
                         ::testing::Values(ThreadFailure{1, "Unable to create Read thread", false},
                                           ThreadFailure{2, "Unable to create Write thread", true}));

TEST_F(SerialLinkFakeTest, ReceivedBlocksReachTheOwnerWhole) {
  comm_->open();
  ASSERT_TRUE(fake_->waitForReaderWaiting(2s));
  fake_->pushRead(bytes("abc"));
  fake_->pushRead(std::vector<std::uint8_t>(2048, 0x5A));
  fake_->pushRead(std::vector<std::uint8_t>(2049, 0xA5));  // more than one read takes
  ASSERT_TRUE(pumpUntil([&] { return reports_.blocks.size() == 4; }));
  EXPECT_EQ(reports_.blocks[0], "abc");
  EXPECT_EQ(reports_.blocks[1], std::string(2048, '\x5A'));
  EXPECT_EQ(reports_.blocks[2], std::string(2048, '\xA5'));
  EXPECT_EQ(reports_.blocks[3], std::string(1, '\xA5'));
}

TEST_F(SerialLinkFakeTest, LineErrorGivesOneReportOf49Characters) {
  comm_->open();
  fake_->pushLineEvent(kLineErrorEvent, 0x000A);
  ASSERT_TRUE(pumpUntil([&] { return !reports_.blocks.empty(); }));
  pumpFor(30ms);
  ASSERT_EQ(reports_.blocks.size(), 1u);
  EXPECT_EQ(reports_.blocks[0], "Comm Event: CE_FRAME and CE_OVERRUN, EvtMask = 10");
  EXPECT_EQ(reports_.blocks[0].size(), 49u);
  EXPECT_EQ(reports_.hangups, 0);
}

TEST_F(SerialLinkFakeTest, WhatArrivesWithNoOneListeningIsDiscarded) {
  QObject::disconnect(comm_.get(), nullptr, nullptr, nullptr);
  comm_->open();
  fake_->pushRead(bytes("ignored"));
  fake_->pushRead({});
  pumpFor(50ms);
  EXPECT_TRUE(comm_->send("still sending", 13));
  EXPECT_TRUE(fake_->waitForWritten(13, 2s));
}

TEST_F(SerialLinkFakeTest, ZeroByteReadDeliversOneHangup) {
  comm_->open();
  fake_->pushRead({});
  ASSERT_TRUE(pumpUntil([&] { return reports_.hangups == 1; }));
  EXPECT_TRUE(comm_->send("writer unaffected", 17));
  EXPECT_TRUE(fake_->waitForWritten(17, 2s));
}

TEST_F(SerialLinkFakeTest, FailedWriteRefusesLaterSends) {
  comm_->open();
  fake_->failWrites(EIO);
  EXPECT_TRUE(comm_->send("lost", 4));
  ASSERT_TRUE(pumpUntil([&] { return reports_.hangups == 1; }));
  ASSERT_TRUE(pumpUntil([&] { return !comm_->send("x", 1); }, 2s));
  const auto start = Clock::now();
  comm_->close();
  EXPECT_LT(msSince(start), 500);
}

TEST_F(SerialLinkFakeTest, NoticesPostedBeforeCloseAreDeliveredAfterIt) {
  comm_->open();
  ASSERT_TRUE(fake_->waitForReaderWaiting(2s));
  fake_->pushRead(bytes("late"));
  ASSERT_TRUE(fake_->waitForReaderWaiting(2s));  // read taken, next one started
  comm_->close();
  EXPECT_TRUE(reports_.blocks.empty());
  ASSERT_TRUE(pumpUntil([&] { return reports_.blocks.size() == 1; }));
  EXPECT_EQ(reports_.blocks[0], "late");
}

TEST_F(SerialLinkFakeTest, CloseWaitsForALineThatResumesWithinItsBudget) {
  comm_->open();
  fake_->stallWrites(true);
  for (const char* frame : {"DIMP", "\x01\x02\x03\x04", "F"})
    ASSERT_TRUE(comm_->send(frame, std::strlen(frame)));
  ASSERT_TRUE(fake_->waitForStalledWrite(2s));
  std::thread resume([this] {
    std::this_thread::sleep_for(300ms);
    fake_->stallWrites(false);
  });
  const auto start = Clock::now();
  comm_->close();
  const double took = msSince(start);
  resume.join();
  EXPECT_EQ(writtenText(),
            "DIMP\x01\x02\x03\x04"
            "F");
  EXPECT_GE(took, 250);
  EXPECT_LT(took, 1500);
}

TEST_F(SerialLinkFakeTest, CloseGivesUpOnAStalledLineAtItsDeadline) {
  comm_->open();
  fake_->stallWrites(true);
  const std::string frame(1920, 'x');  // one second at 19200 bits per second
  ASSERT_TRUE(comm_->send(frame.data(), static_cast<std::uint16_t>(frame.size())));
  ASSERT_TRUE(comm_->send("queued", 6));
  ASSERT_TRUE(fake_->waitForStalledWrite(2s));
  const auto start = Clock::now();
  comm_->close();
  const double took = msSince(start);
  EXPECT_GE(took, 2900);  // 1 s for the bytes plus the 2 s margin
  EXPECT_LT(took, 4000);
  fake_->stallWrites(false);
  EXPECT_TRUE(fake_->written().empty());
  EXPECT_EQ(fake_->openPorts(), 0);
  EXPECT_TRUE(comm_->lineLost());  // what was handed over never reached the line
}

TEST_F(SerialLinkFakeTest, CloseWaitsForTheDevicesOutputQueue) {
  comm_->open();
  fake_->setOutputQueued(64);
  std::thread drain([this] {
    std::this_thread::sleep_for(200ms);
    fake_->setOutputQueued(0);
  });
  const auto start = Clock::now();
  comm_->close();
  const double took = msSince(start);
  drain.join();
  EXPECT_GE(took, 150);
  EXPECT_LT(took, 1500);
}

TEST_F(SerialLinkFakeTest, DestroyingAnOpenLinkDeliversWhatWasSentAndClosesThePort) {
  const FakeBackend line = *fake_;
  comm_->open();
  comm_->send("bye", 3);
  comm_.reset();
  const auto written = line.written();
  EXPECT_EQ(std::string(written.begin(), written.end()), "bye");
  EXPECT_EQ(line.openPorts(), 0);
}

double msBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// The printer's spacing is kept where the bytes are written: after a write that was held up,
// the next block still waits its whole pause, however early it was handed over.
TEST_F(SerialLinkFakeTest, EachBlockLeavesNoSoonerThanItsPauseAfterThePreviousWrite) {
  const auto opened = Clock::now();
  comm_->open();
  ASSERT_TRUE(comm_->send("D", 1, 30));  // the first pause counts from the opening
  ASSERT_TRUE(fake_->waitForWritten(1, 2s));
  fake_->delayNextWrite(20ms);
  ASSERT_TRUE(comm_->send("a", 1, 12));
  std::this_thread::sleep_for(12ms);  // handed over 12 ms after the one before
  ASSERT_TRUE(comm_->send("b", 1, 12));
  ASSERT_TRUE(fake_->waitForWritten(3, 2s));
  const auto t = fake_->writeTimes();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_GE(msBetween(opened, t[0]), 30.0);
  EXPECT_GE(msBetween(t[1], t[2]), 12.0);
  EXPECT_EQ(writtenText(), "Dab");
}

TEST_F(SerialLinkFakeTest, AWriteThatFailsForGoodLosesTheLineUntilTheNextOpening) {
  comm_->open();
  fake_->failWrites(EIO);
  EXPECT_FALSE(comm_->lineLost());
  ASSERT_TRUE(comm_->send("lost", 4));
  ASSERT_TRUE(pumpUntil([&] { return comm_->lineLost(); }, 1s));
  comm_->close();
  EXPECT_TRUE(comm_->lineLost());

  fake_->failWrites(0);
  comm_->open();
  EXPECT_FALSE(comm_->lineLost());
  ASSERT_TRUE(comm_->send("ok", 2));
  comm_->close();
  EXPECT_FALSE(comm_->lineLost());
  EXPECT_EQ(writtenText(), "ok");
}

TEST_F(SerialLinkFakeTest, AFailedLastWriteCountsAsLostWhenThePortClosesRightAfter) {
  // The writer wakes the closing drain as it gives up; the loss must be known by then.
  for (int run = 0; run < 40; ++run) {
    comm_->open();
    fake_->failWrites(EIO);
    ASSERT_TRUE(comm_->send("last", 4));
    comm_->close();
    ASSERT_TRUE(comm_->lineLost()) << "run " << run;
    fake_->failWrites(0);
  }
}

// The transmit side is purged only while the device still holds output: with its queue empty a
// purge would reach past it and drop bytes already delivered.
TEST(SerialPortPurge, TheTransmitSideIsDiscardedOnlyWhileTheDeviceHoldsOutput) {
  FakeBackend fake;
  const std::unique_ptr<SerialPort> port = fake.openPort("COM1").port;
  port->purge(Direction::Transmit);
  EXPECT_TRUE(fake.discards().empty());
  fake.setOutputQueued(12);
  port->purge(Direction::Transmit);
  port->purge(Direction::Receive);
  EXPECT_EQ(fake.discards(), (std::vector<Direction>{Direction::Transmit, Direction::Receive}));
  EXPECT_EQ(port->outputQueued(), 0u);
}

}  // namespace
}  // namespace vx
