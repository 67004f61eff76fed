// The reader's and the writer's own logic, run over the scripted back end without the link:
// what each posts, when each ends, and what reaches the port.

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "fake_backend.h"
#include "serial/line_error_report.h"
#include "serial/message_sink.h"
#include "serial/read_thread.h"
#include "serial/wake_event.h"
#include "serial/write_thread.h"
#include "serial_test_support.h"

namespace vx {
namespace {

using namespace vx::testing;

struct Posted {
  LinkNotice::Kind kind;
  std::string bytes;
};

class PortThreadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = fake_.openPort("COM1").port;
    ASSERT_TRUE(port_);
    close_ = WakeEvent::create(nullptr);
    ASSERT_TRUE(close_);
  }
  void TearDown() override {
    close_->set();
    reader_.reset();
    writer_.reset();
  }

  void startReader() {
    reader_ = std::make_unique<ReadThread>(*port_, *close_, sink_);
    ASSERT_TRUE(reader_->start(fake_, 2, nullptr));
  }
  void startWriter() {
    writer_ = std::make_unique<WriteThread>(*port_, *close_, sink_, WriteQueue::create(nullptr));
    ASSERT_TRUE(writer_->start(fake_, 1, nullptr));
  }
  bool post(const std::string& text) {
    return writer_->queueWrite(std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  int count(LinkNotice::Kind kind) const {
    int n = 0;
    for (const auto& p : posted_) n += p.kind == kind;
    return n;
  }
  std::vector<std::string> received() const {
    std::vector<std::string> blocks;
    for (const auto& p : posted_) {
      if (p.kind == LinkNotice::Kind::ReceivedBytes) blocks.push_back(p.bytes);
    }
    return blocks;
  }

  FakeBackend fake_;
  std::unique_ptr<SerialPort> port_;
  std::unique_ptr<WakeEvent> close_;
  std::vector<Posted> posted_;
  MessageSink sink_{[this](LinkNotice& n) { posted_.push_back(Posted{n.kind, n.bytes.toStdString()}); }};
  std::unique_ptr<ReadThread> reader_;
  std::unique_ptr<WriteThread> writer_;
};

TEST_F(PortThreadsTest, ReaderPostsEachReadAsOneBlockInOrder) {
  fake_.pushRead(bytes("ready at start"));  // completes as soon as the first read starts
  startReader();
  ASSERT_TRUE(fake_.waitForReaderWaiting(2s));
  fake_.pushRead(bytes("one"));
  fake_.pushRead(bytes(std::string("t\0o", 3)));
  ASSERT_TRUE(pumpUntil([&] { return received().size() == 3; }));
  EXPECT_EQ(received(), (std::vector<std::string>{"ready at start", "one", std::string("t\0o", 3)}));
  EXPECT_FALSE(reader_->waitFor(0));  // still reading
}

TEST_F(PortThreadsTest, ReaderReportsLineErrorsAndKeepsReading) {
  startReader();
  ASSERT_TRUE(fake_.waitForReaderWaiting(2s));
  fake_.pushLineEvent(kLineErrorEvent, kFramingError | kOverrunError);
  ASSERT_TRUE(pumpUntil([&] { return received().size() == 1; }));
  EXPECT_EQ(received()[0], "Comm Event: CE_FRAME and CE_OVERRUN, EvtMask = 10");
  EXPECT_EQ(received()[0].size(), 49u);

  fake_.pushRead(bytes("after"));
  ASSERT_TRUE(pumpUntil([&] { return received().size() == 2; }));
  EXPECT_EQ(received()[1], "after");
  EXPECT_EQ(count(LinkNotice::Kind::HangupRequest), 0);
}

// Line events and read outcomes that stop the reader, each scripted once before the reader
// starts (completing at once) and once while it waits.
struct ReaderStop {
  const char* name;
  bool comm_event;  // else a read
  std::uint32_t mask;
  int read_error;  // 0: a read of 0 bytes
  int hangups;
};

class ReaderStopTest : public PortThreadsTest,
                       public ::testing::WithParamInterface<std::tuple<ReaderStop, bool>> {};

TEST_P(ReaderStopTest, EndsWithHangupRequests) {
  const auto& [stop, while_waiting] = GetParam();
  auto script = [&, stop = stop] {
    if (stop.comm_event) {
      fake_.pushLineEvent(stop.mask, 0);
    } else if (stop.read_error) {
      fake_.pushReadError(stop.read_error);
    } else {
      fake_.pushRead({});
    }
  };
  if (!while_waiting) script();
  startReader();
  if (while_waiting) {
    ASSERT_TRUE(fake_.waitForReaderWaiting(2s));
    script();
  }
  ASSERT_TRUE(reader_->waitFor(2000));
  pumpFor(20ms);
  EXPECT_EQ(count(LinkNotice::Kind::HangupRequest), stop.hangups);
  EXPECT_EQ(count(LinkNotice::Kind::ReceivedBytes), 0);
  EXPECT_EQ(fake_.discards(), std::vector<Direction>{Direction::Receive});
}

INSTANTIATE_TEST_SUITE_P(Stops, ReaderStopTest,
                         ::testing::Combine(::testing::Values(ReaderStop{"ZeroByteRead", false, 0, 0, 1},
                                                              ReaderStop{"ReadFails", false, 0, EIO, 2},
                                                              ReaderStop{"HandleInvalid", false, 0, EBADF, 1},
                                                              ReaderStop{"EventWithoutLineErrorBit", true,
                                                                         0x0004, 0, 1}),
                                            ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "WhileWaiting" : "AtStart");
                         });

TEST_F(PortThreadsTest, CloseEventEndsBothThreadsPromptlyAndQuietly) {
  fake_.stallWrites(true);
  fake_.setOutputQueued(3);  // what the device still holds is dropped on the way out
  startReader();
  startWriter();
  ASSERT_TRUE(fake_.waitForReaderWaiting(2s));
  ASSERT_TRUE(post("stuck"));
  ASSERT_TRUE(fake_.waitForStalledWrite(2s));

  const auto start = Clock::now();
  close_->set();
  EXPECT_TRUE(reader_->waitFor(1000));
  EXPECT_TRUE(writer_->waitFor(1000));
  EXPECT_LT(msSince(start), 500);
  pumpFor(20ms);
  EXPECT_TRUE(posted_.empty());
  EXPECT_TRUE(fake_.written().empty());  // the abandoned write never completed
  auto discards = fake_.discards();
  std::sort(discards.begin(), discards.end());
  EXPECT_EQ(discards, (std::vector<Direction>{Direction::Receive, Direction::Transmit}));
}

TEST_F(PortThreadsTest, RequestsStillQueuedWhenClosingAreNeverWritten) {
  fake_.stallWrites(true);
  startWriter();
  ASSERT_TRUE(post("first"));
  ASSERT_TRUE(fake_.waitForStalledWrite(2s));
  ASSERT_TRUE(post("second"));
  ASSERT_TRUE(post("third"));
  close_->set();
  ASSERT_TRUE(writer_->waitFor(1000));
  fake_.stallWrites(false);
  EXPECT_TRUE(fake_.written().empty());
  EXPECT_FALSE(post("late"));  // an ended writer refuses requests
}

TEST_F(PortThreadsTest, WriterLooksAtTheCloseEventBeforeEachRequest) {
  writer_ = std::make_unique<WriteThread>(*port_, *close_, sink_, WriteQueue::create(nullptr));
  ASSERT_TRUE(post("queued before the writer ran"));
  close_->set();
  ASSERT_TRUE(writer_->start(fake_, 1, nullptr));
  ASSERT_TRUE(writer_->waitFor(1000));
  EXPECT_TRUE(fake_.written().empty());
  pumpFor(20ms);
  EXPECT_TRUE(posted_.empty());
}

TEST_F(PortThreadsTest, WriterWritesEachRequestWholeAndInOrderAcrossPartialWrites) {
  fake_.setWriteChunk(3);
  startWriter();
  std::string expected;
  for (int i = 0; i < 50; ++i) {
    const std::string request =
        (i % 2) ? std::string(1, static_cast<char>('a' + i % 26)) : "DIMP" + std::to_string(i);
    expected += request;
    ASSERT_TRUE(post(request));
  }
  ASSERT_TRUE(post(""));  // an empty request is written as nothing and does not stop the writer
  ASSERT_TRUE(post("end"));
  expected += "end";
  ASSERT_TRUE(fake_.waitForWritten(expected.size(), 2s));
  const auto written = fake_.written();
  EXPECT_EQ(std::string(written.begin(), written.end()), expected);
  EXPECT_FALSE(writer_->waitFor(0));
}

TEST_F(PortThreadsTest, FailingWriteEndsWriterWithOneHangupAndRefusesLaterRequests) {
  startWriter();
  fake_.failWrites(EIO);
  ASSERT_TRUE(post("lost"));
  ASSERT_TRUE(writer_->waitFor(2000));
  EXPECT_FALSE(post("refused"));
  pumpFor(20ms);
  EXPECT_EQ(count(LinkNotice::Kind::HangupRequest), 1);
}

TEST_F(PortThreadsTest, WriteOnInvalidHandleEndsWriterWithoutHangup) {
  startWriter();
  fake_.failWrites(EBADF);
  ASSERT_TRUE(post("lost"));
  ASSERT_TRUE(writer_->waitFor(2000));
  pumpFor(20ms);
  EXPECT_EQ(count(LinkNotice::Kind::HangupRequest), 0);
}

TEST_F(PortThreadsTest, DeviceGoneEndsAnIdleWriterAndTheReaderWithHangups) {
  startReader();
  startWriter();
  ASSERT_TRUE(fake_.waitForReaderWaiting(2s));
  fake_.hangUp();
  EXPECT_TRUE(reader_->waitFor(2000));
  EXPECT_TRUE(writer_->waitFor(2000));
  EXPECT_FALSE(post("refused"));
  pumpFor(20ms);
  EXPECT_EQ(count(LinkNotice::Kind::HangupRequest), 2);  // one each
}

}  // namespace
}  // namespace vx
