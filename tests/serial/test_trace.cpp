// The diagnostic trace: off unless a file name is set (and every new link clears it), whole
// lines from all three threads when on, the device named at opening and closing, every write with
// its time, and the fixed wording of error lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "fake_backend.h"
#include "serial/serial_link.h"
#include "serial/trace.h"
#include "serial_test_support.h"

namespace vx {
namespace {

using namespace vx::testing;

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class TraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "/vx_serial_trace_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
    std::filesystem::remove(path_);
  }
  void TearDown() override {
    stopProgramTrace();
    std::filesystem::remove(path_);
  }
  // A link on the printer's line over `fake`, with the trace switched on after it (a new link
  // switches it off).
  std::unique_ptr<SerialLink> tracedLink(const FakeBackend& fake) {
    auto comm = std::make_unique<SerialLink>(nullptr, std::make_unique<FakeBackend>(fake));
    setTraceFileName(path_);
    return comm;
  }
  std::string path_;
};

TEST_F(TraceTest, ErrorLineCarriesPrefixAndQuotedDescription) {
  EXPECT_EQ(traceErrorText(EIO, "ClearCommError: "),
            "ClearCommError: GetLastError returned: \"Input/output error\"");
  EXPECT_EQ(traceErrorText(ENOENT, nullptr), "GetLastError returned: \"No such file or directory\"");
  EXPECT_EQ(traceErrorText(EIO, "100% %s %n: "), "100% %s %n: GetLastError returned: \"Input/output error\"");
}

TEST_F(TraceTest, EveryNewLinkSwitchesTheTraceOff) {
  setTraceFileName(path_);
  auto fake = std::make_unique<FakeBackend>();
  SerialLink comm(nullptr, std::move(fake));
  comm.open();
  comm.send("x", 1);
  comm.close();
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(TraceTest, LinesFromAllThreadsArriveWhole) {
  FakeBackend fake;
  const std::unique_ptr<SerialLink> traced = tracedLink(fake);
  SerialLink& comm = *traced;

  comm.open();
  constexpr int kRequests = 300;
  for (int i = 0; i < kRequests; ++i) {
    ASSERT_TRUE(comm.send("DIMP", 4));
    if (i % 30 == 0) fake.pushRead(bytes("r"));
  }
  ASSERT_TRUE(fake.waitForWritten(4 * kRequests, 5s));
  ASSERT_TRUE(fake.waitForReaderWaiting(5s));  // every scripted read taken
  fake.failWrites(EIO);
  comm.send("fails", 5);
  ASSERT_TRUE(pumpUntil([&] { return !comm.send("x", 1); }));
  comm.close();
  pumpFor(20ms);

  const std::set<std::string> known = {
      "Writing to comm port",
      "Waiting for data from comm connection.",
      "Waiting for a CommEvent (Error) to occur.",
      "Data waiting for ReadFile: ",
      "Got something from Comm port!!!",
      "Error to writing to CommFileGetLastError returned: \"Input/output error\"",
      "Closing TAPI",
      "Write thread shutting down",
      "Failed to Post to Write thread. ",
      "Stopping the Comm",
      "Closing Read Thread ",
      "Read thread shutting down",
      "Closing Write Thread",
      "Lost the line to COM1: what was handed over may not all have reached it",
  };
  // The fake port has no device path: it is named after the port.
  const std::regex write("Wrote 4 bytes to COM1 at [0-9]+\\.[0-9]{3} ms, [0-9]+\\.[0-9]{3} ms after "
                         "(the port was opened|the write before it)");
  const std::vector<std::string> lines = readLines(path_);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.front(), "Opened COM1");
  EXPECT_EQ(lines.back(), "Closed COM1");
  std::map<std::string, int> seen;
  int writes = 0;
  for (const auto& line : std::vector<std::string>(lines.begin() + 1, lines.end() - 1)) {
    if (std::regex_match(line, write)) {
      EXPECT_EQ(line.find("after the port was opened") != std::string::npos, writes++ == 0) << line;
      continue;
    }
    EXPECT_TRUE(known.count(line)) << "unexpected line: " << line;
    ++seen[line];
  }
  EXPECT_EQ(writes, kRequests);  // the failed write has no such line
  EXPECT_EQ(seen["Writing to comm port"], kRequests + 1);
  EXPECT_EQ(seen["Closing TAPI"], 1);
  EXPECT_EQ(seen["Got something from Comm port!!!"], kRequests / 30);
  for (const char* once : {"Stopping the Comm", "Closing Read Thread ", "Read thread shutting down",
                           "Write thread shutting down"}) {
    EXPECT_EQ(seen[once], 1) << once;
  }
  EXPECT_EQ(seen["Closing Write Thread"], 1);
}

TEST_F(TraceTest, LineSettingsTheDeviceRefusesAreTracedAndThePortStillOpens) {
  FakeBackend fake;
  const std::unique_ptr<SerialLink> traced = tracedLink(fake);
  SerialLink& comm = *traced;
  fake.refuseLineSettings(true);
  EXPECT_TRUE(comm.open());
  EXPECT_TRUE(comm.send("x", 1));
  comm.close();
  const std::vector<std::string> lines = readLines(path_);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1],
            "SetCommState: the device did not take 19200 bits per second, 8 data bits, parity 0, stop bits 0");
}

TEST_F(TraceTest, AFileThatCannotBeOpenedIsSaidAndLeavesTheTraceAsItWas) {
  setTraceFileName(path_);
  const std::string path = ::testing::TempDir() + "/vx-no-such-folder/trace.txt";
  ::setenv("VORLANDEX_TRACE", path.c_str(), 1);
  EXPECT_EQ(startTraceFromEnvironment(),
            "VORLANDEX_TRACE: cannot open " + path + ": No such file or directory; the serial trace stays off");
  ::unsetenv("VORLANDEX_TRACE");
  EXPECT_EQ(startTraceFromEnvironment(), "");
  traceLine("still traced");
  EXPECT_EQ(readLines(path_), std::vector<std::string>{"still traced"});
}

// A technician's run: the file named in the environment follows every link the program makes,
// naming the device at each opening and closing, until the program's trace is stopped.
TEST_F(TraceTest, TheEnvironmentsTraceFollowsEveryNewLinkUntilStopped) {
  ::setenv("VORLANDEX_TRACE", path_.c_str(), 1);
  EXPECT_EQ(startTraceFromEnvironment(), "");
  ::unsetenv("VORLANDEX_TRACE");
  const auto run = [] {
    SerialLink comm(nullptr, std::make_unique<FakeBackend>());
    EXPECT_TRUE(comm.open());
    EXPECT_TRUE(comm.send("x", 1));
    comm.close();
  };
  run();
  run();
  std::vector<std::string> lines = readLines(path_);
  const auto count = [&lines](const std::string& prefix) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
  };
  EXPECT_EQ(count("Opened "), 2);
  EXPECT_EQ(count("Closed "), 2);
  stopProgramTrace();
  run();
  EXPECT_EQ(readLines(path_).size(), lines.size());
}

TEST_F(TraceTest, NothingIsWrittenWithoutAName) {
  traceLine("not written");
  traceError(EIO, "nor this: ");
  setTraceFileName(path_);
  traceLine("written");
  setTraceFileName("");
  traceLine("not written either");
  EXPECT_EQ(readLines(path_), std::vector<std::string>{"written"});
}

}  // namespace
}  // namespace vx
