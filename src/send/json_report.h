#pragma once
// The --json document of a vorlandex-send run: per port the name given, the device it
// resolved to, each job with its bytes, seconds and result, and a summary. Formatting only;
// its schema is resources/vorlandex-send.schema.json and the manual page.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace vx {

struct JobReport {
  enum class Result { Sent, Skipped, NotRun, Failed };
  QString key;  // "settings", "clock", "texts 1".."texts 4", "logo"
  std::uint64_t bytes = 0;  // what the job puts on the line
  double seconds = 0;       // from opening the port to closing it; 0 when it did not start
  Result result = Result::NotRun;
  QString error;  // when failed
};

struct PortReport {
  QString port;    // as given
  QString device;  // what it resolved to
  bool failed = false;
  QString error;  // why the port's run stopped, or why its record could not be kept
  double seconds = 0;
  std::uint64_t bytesWritten = 0;  // reached the line
  std::vector<JobReport> jobs;
};

struct SendReport {
  QString pair;  // empty when none was read
  bool ifChanged = false;
  bool force = false;
  QString error;  // the run did not start (a pair that does not open): no port was opened
  double seconds = 0;
  std::vector<PortReport> ports;
};

// The document, indented, ending with a newline.
QByteArray jsonReport(const SendReport& report);

const char* resultName(JobReport::Result result);

}  // namespace vx
