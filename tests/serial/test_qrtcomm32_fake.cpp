// The component's own rules over the scripted back end: what OpenPort sets up and raises, the
// partly open states, the hand-over of received blocks and hang-ups to the owner, and the bounded
// close.

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
#include "serial/qrtcomm32.h"
#include "serial_test_support.h"

namespace vx {
namespace {

using namespace vx::testing;

class QRTComm32FakeTest : public ::testing::Test {
 protected:
  QRTComm32FakeTest() {
    auto fake = std::make_unique<FakeBackend>();
    fake_ = fake.get();
    comm_ = std::make_unique<TQRTComm32>(nullptr, std::move(fake));
    set19200Baud8N1(*comm_);
    listen(*comm_, reports_);
  }
  ~QRTComm32FakeTest() override {
    if (comm_) comm_->ClosePort();
  }

  std::string writtenText() const {
    const auto w = fake_->written();
    return {w.begin(), w.end()};
  }
  // The text OpenPort raised (empty when it raised nothing); its kind and error number are kept.
  std::string openError() {
    try {
      comm_->OpenPort();
    } catch (const ECommsError& e) {
      kind_ = e.kind();
      error_ = e.error();
      return e.what();
    }
    return "";
  }

  FakeBackend* fake_;
  CommsFailure kind_ = CommsFailure::Other;
  int error_ = 0;
  std::unique_ptr<TQRTComm32> comm_;
  Reports reports_;
};

TEST(QRTComm32Defaults, ConstructorSetsOnlyCommPort) {
  TQRTComm32 comm(nullptr, std::make_unique<FakeBackend>());
  EXPECT_EQ(comm.commPort(), TCommPort::Com1);
  EXPECT_EQ(comm.baudRate(), TBaudRate::Baud110);
  EXPECT_EQ(comm.parity(), TParity::None);
  EXPECT_EQ(comm.dataBits(), TDataBits::_4);
  EXPECT_EQ(comm.stopBits(), TStopBits::_1);
  EXPECT_FALSE(comm.SendData("x", 1));
}

TEST_F(QRTComm32FakeTest, OpenPortAppliesTheLineSettingsTimeoutsAndPriorities) {
  comm_->setCommPort(TCommPort::Com3);
  EXPECT_TRUE(comm_->OpenPort());
  EXPECT_EQ(fake_->openedNames(), std::vector<std::string>{"COM3"});
  EXPECT_EQ(fake_->appliedState(), (CommState{19200, 8, 0, 0}));
  EXPECT_EQ(fake_->appliedTimeouts(), (CommTimeouts{250, 0, 0, 0, 0}));
  EXPECT_EQ(fake_->threadPriorities(), (std::vector<int>{2, 1}));  // reader, then writer
}

TEST_F(QRTComm32FakeTest, SettingsChangedWhileOpenWaitForTheNextOpen) {
  comm_->OpenPort();
  comm_->setCommPort(TCommPort::Com2);
  comm_->setBaudRate(TBaudRate::Baud256000);
  comm_->setParity(TParity::Space);
  comm_->setDataBits(TDataBits::_7);
  comm_->setStopBits(TStopBits::_1_5);
  EXPECT_EQ(fake_->appliedState(), (CommState{19200, 8, 0, 0}));
  comm_->ClosePort();
  comm_->OpenPort();
  EXPECT_EQ(fake_->openedNames(), (std::vector<std::string>{"COM1", "COM2"}));
  EXPECT_EQ(fake_->appliedState(), (CommState{256000, 7, 4, 1}));
}

TEST_F(QRTComm32FakeTest, OpenFailuresRaiseTheirTextAndLeaveThePortClosed) {
  fake_->failOpen(EBUSY);
  EXPECT_EQ(openError(), "Error opening com port");
  EXPECT_EQ(kind_, CommsFailure::Busy);
  EXPECT_EQ(error_, EBUSY);
  fake_->failOpen(EACCES);
  EXPECT_EQ(openError(), "Error opening com port");
  EXPECT_EQ(kind_, CommsFailure::Permission);
  fake_->failOpen(0);
  fake_->setCharacterDevice(false);
  EXPECT_EQ(openError(), "File handle is not a comm handle. ");
  EXPECT_EQ(kind_, CommsFailure::NotSerial);
  EXPECT_EQ(fake_->openPorts(), 0);
  fake_->setCharacterDevice(true);
  EXPECT_EQ(openError(), "");
  EXPECT_EQ(fake_->openPorts(), 1);
}

TEST_F(QRTComm32FakeTest, CloseEventFailureAnswersFalseAndClosesThePort) {
  fake_->failNextCloseEvent(EMFILE);
  EXPECT_FALSE(comm_->OpenPort());
  EXPECT_EQ(fake_->openPorts(), 0);
  EXPECT_FALSE(comm_->SendData("x", 1));
  EXPECT_TRUE(comm_->OpenPort());  // nothing was left behind
}

// A thread the system would not start: the reason carries the system's own words in both languages;
// a port already open has no system error behind it.
TEST(OpenFailureReason, AFailureOfNoDeviceKindStillGivesTheSystemsReason) {
  const ECommsError thread("Unable to create Write thread", CommsFailure::ThreadNotStarted, EAGAIN, "/dev/ttyS0");
  const QString system = QString::fromLocal8Bit(std::strerror(EAGAIN));
  EXPECT_EQ(openFailureReason(thread, FailureLanguage::English), "Unable to create Write thread: " + system);
  EXPECT_EQ(openFailureDetail(thread), "Dispositivo: /dev/ttyS0\n" + system);
  const ECommsError open("Already have a comm file open", CommsFailure::AlreadyOpen);
  EXPECT_EQ(openFailureReason(open, FailureLanguage::English), "Already have a comm file open");
  EXPECT_EQ(openFailureDetail(open), "");
}

struct ThreadFailure {
  int nth;
  const char* text;
  std::uint32_t purge;  // what the still running reader purges when ClosePort stops it; 0: none
};

class ThreadStartFailureTest : public QRTComm32FakeTest,
                               public ::testing::WithParamInterface<ThreadFailure> {};

TEST_P(ThreadStartFailureTest, LeavesThePortPartlyOpenUntilClosePort) {
  fake_->failThreadStart(GetParam().nth, EAGAIN);
  EXPECT_EQ(openError(), GetParam().text);
  EXPECT_EQ(kind_, CommsFailure::ThreadNotStarted);
  EXPECT_EQ(error_, EAGAIN);
  EXPECT_EQ(openError(), "Already have a comm file open");
  EXPECT_EQ(kind_, CommsFailure::AlreadyOpen);
  EXPECT_FALSE(comm_->SendData("x", 1));
  EXPECT_EQ(fake_->openPorts(), 1);
  comm_->ClosePort();
  EXPECT_EQ(fake_->openPorts(), 0);
  const auto purges = fake_->purges();
  EXPECT_EQ(std::count(purges.begin(), purges.end(), PURGE_RXABORT | PURGE_RXCLEAR),
            GetParam().purge ? 2 : 0);
  EXPECT_TRUE(comm_->OpenPort());
  EXPECT_TRUE(comm_->SendData("ok", 2));
  EXPECT_TRUE(fake_->waitForWritten(2, 2s));
}

INSTANTIATE_TEST_SUITE_P(Threads, ThreadStartFailureTest,
                         ::testing::Values(ThreadFailure{1, "Unable to create Read thread", 0},
                                           ThreadFailure{2, "Unable to create Write thread", 1}));

TEST_F(QRTComm32FakeTest, ReceivedBlocksReachOnReceiveDataWithAZeroAfterThem) {
  comm_->OpenPort();
  ASSERT_TRUE(fake_->waitForReaderWaiting(2s));
  fake_->pushRead(bytes("abc"));
  fake_->pushRead(std::vector<std::uint8_t>(2048, 0x5A));
  fake_->pushRead(std::vector<std::uint8_t>(2049, 0xA5));  // more than one read takes
  ASSERT_TRUE(pumpUntil([&] { return reports_.blocks.size() == 4; }));
  EXPECT_EQ(reports_.blocks[0], "abc");
  EXPECT_EQ(reports_.blocks[1], std::string(2048, '\x5A'));
  EXPECT_EQ(reports_.blocks[2], std::string(2048, '\xA5'));
  EXPECT_EQ(reports_.blocks[3], std::string(1, '\xA5'));
  EXPECT_TRUE(reports_.all_zero_terminated);
}

TEST_F(QRTComm32FakeTest, LineErrorGivesOneReportOf49Characters) {
  comm_->OpenPort();
  fake_->pushCommEvent(EV_ERR, 0x000A);
  ASSERT_TRUE(pumpUntil([&] { return !reports_.blocks.empty(); }));
  pumpFor(30ms);
  ASSERT_EQ(reports_.blocks.size(), 1u);
  EXPECT_EQ(reports_.blocks[0], "Comm Event: CE_FRAME and CE_OVERRUN, EvtMask = 10");
  EXPECT_EQ(reports_.blocks[0].size(), 49u);
  EXPECT_EQ(reports_.hangups, 0);
}

TEST_F(QRTComm32FakeTest, UnassignedEventsDiscardWhatArrives) {
  comm_->OnReceiveData = nullptr;
  comm_->OnRequestHangup = nullptr;
  comm_->OpenPort();
  fake_->pushRead(bytes("ignored"));
  fake_->pushRead({});
  pumpFor(50ms);
  EXPECT_TRUE(comm_->SendData("still sending", 13));
  EXPECT_TRUE(fake_->waitForWritten(13, 2s));
}

TEST_F(QRTComm32FakeTest, ZeroByteReadDeliversOneHangupFromTheComponent) {
  comm_->OpenPort();
  fake_->pushRead({});
  ASSERT_TRUE(pumpUntil([&] { return reports_.hangups == 1; }));
  EXPECT_EQ(reports_.last_sender, comm_.get());
  EXPECT_TRUE(comm_->SendData("writer unaffected", 17));
  EXPECT_TRUE(fake_->waitForWritten(17, 2s));
}

TEST_F(QRTComm32FakeTest, FailedWriteRefusesLaterSendData) {
  comm_->OpenPort();
  fake_->failWrites(EIO);
  EXPECT_TRUE(comm_->SendData("lost", 4));
  ASSERT_TRUE(pumpUntil([&] { return reports_.hangups == 1; }));
  ASSERT_TRUE(pumpUntil([&] { return !comm_->SendData("x", 1); }, 2s));
  const auto start = Clock::now();
  comm_->ClosePort();
  EXPECT_LT(msSince(start), 500);
}

TEST_F(QRTComm32FakeTest, MessagesPostedBeforeClosePortAreDeliveredAfterIt) {
  comm_->OpenPort();
  ASSERT_TRUE(fake_->waitForReaderWaiting(2s));
  fake_->pushRead(bytes("late"));
  ASSERT_TRUE(fake_->waitForReaderWaiting(2s));  // read taken, next one started
  comm_->ClosePort();
  EXPECT_TRUE(reports_.blocks.empty());
  ASSERT_TRUE(pumpUntil([&] { return reports_.blocks.size() == 1; }));
  EXPECT_EQ(reports_.blocks[0], "late");
}

TEST_F(QRTComm32FakeTest, ClosePortWaitsForALineThatResumesWithinItsBudget) {
  comm_->OpenPort();
  fake_->stallWrites(true);
  for (const char* frame : {"DIMP", "\x01\x02\x03\x04", "F"})
    ASSERT_TRUE(comm_->SendData(frame, std::strlen(frame)));
  ASSERT_TRUE(fake_->waitForStalledWrite(2s));
  std::thread resume([this] {
    std::this_thread::sleep_for(300ms);
    fake_->stallWrites(false);
  });
  const auto start = Clock::now();
  comm_->ClosePort();
  const double took = msSince(start);
  resume.join();
  EXPECT_EQ(writtenText(),
            "DIMP\x01\x02\x03\x04"
            "F");
  EXPECT_GE(took, 250);
  EXPECT_LT(took, 1500);
}

TEST_F(QRTComm32FakeTest, ClosePortGivesUpOnAStalledLineAtItsDeadline) {
  comm_->OpenPort();
  fake_->stallWrites(true);
  const std::string frame(1920, 'x');  // one second at 19200 bits per second
  ASSERT_TRUE(comm_->SendData(frame.data(), static_cast<std::uint16_t>(frame.size())));
  ASSERT_TRUE(comm_->SendData("queued", 6));
  ASSERT_TRUE(fake_->waitForStalledWrite(2s));
  const auto start = Clock::now();
  comm_->ClosePort();
  const double took = msSince(start);
  EXPECT_GE(took, 2900);  // 1 s for the bytes plus the 2 s margin
  EXPECT_LT(took, 4000);
  fake_->stallWrites(false);
  EXPECT_TRUE(fake_->written().empty());
  EXPECT_EQ(fake_->openPorts(), 0);
  EXPECT_TRUE(comm_->lineLost());  // what was handed over never reached the line
}

TEST_F(QRTComm32FakeTest, ClosePortWaitsForTheDevicesOutputQueue) {
  comm_->OpenPort();
  fake_->setOutputQueued(64);
  std::thread drain([this] {
    std::this_thread::sleep_for(200ms);
    fake_->setOutputQueued(0);
  });
  const auto start = Clock::now();
  comm_->ClosePort();
  const double took = msSince(start);
  drain.join();
  EXPECT_GE(took, 150);
  EXPECT_LT(took, 1500);
}

TEST_F(QRTComm32FakeTest, DestroyingAnOpenComponentDeliversWhatWasSentAndClosesThePort) {
  const FakeBackend line = *fake_;
  comm_->OpenPort();
  comm_->SendData("bye", 3);
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
TEST_F(QRTComm32FakeTest, EachBlockLeavesNoSoonerThanItsPauseAfterThePreviousWrite) {
  const auto opened = Clock::now();
  comm_->OpenPort();
  ASSERT_TRUE(comm_->SendData("D", 1, 30));  // the first pause counts from the opening
  ASSERT_TRUE(fake_->waitForWritten(1, 2s));
  fake_->delayNextWrite(20ms);
  ASSERT_TRUE(comm_->SendData("a", 1, 12));
  std::this_thread::sleep_for(12ms);  // handed over 12 ms after the one before
  ASSERT_TRUE(comm_->SendData("b", 1, 12));
  ASSERT_TRUE(fake_->waitForWritten(3, 2s));
  const auto t = fake_->writeTimes();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_GE(msBetween(opened, t[0]), 30.0);
  EXPECT_GE(msBetween(t[1], t[2]), 12.0);
  EXPECT_EQ(writtenText(), "Dab");
}

TEST_F(QRTComm32FakeTest, AWriteThatFailsForGoodLosesTheLineUntilTheNextOpening) {
  comm_->OpenPort();
  fake_->failWrites(EIO);
  EXPECT_FALSE(comm_->lineLost());
  ASSERT_TRUE(comm_->SendData("lost", 4));
  ASSERT_TRUE(pumpUntil([&] { return comm_->lineLost(); }, 1s));
  comm_->ClosePort();
  EXPECT_TRUE(comm_->lineLost());

  fake_->failWrites(0);
  comm_->OpenPort();
  EXPECT_FALSE(comm_->lineLost());
  ASSERT_TRUE(comm_->SendData("ok", 2));
  comm_->ClosePort();
  EXPECT_FALSE(comm_->lineLost());
  EXPECT_EQ(writtenText(), "ok");
}

TEST_F(QRTComm32FakeTest, AFailedLastWriteCountsAsLostWhenThePortClosesRightAfter) {
  // The writer wakes the closing drain as it gives up; the loss must be known by then.
  for (int run = 0; run < 40; ++run) {
    comm_->OpenPort();
    fake_->failWrites(EIO);
    ASSERT_TRUE(comm_->SendData("last", 4));
    comm_->ClosePort();
    ASSERT_TRUE(comm_->lineLost()) << "run " << run;
    fake_->failWrites(0);
  }
}

}  // namespace
}  // namespace vx
