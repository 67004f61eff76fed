#include "serial/read_thread.h"

#include <QLoggingCategory>
#include <algorithm>
#include <cerrno>
#include <new>
#include <string>

#include "serial/line_error_report.h"
#include "serial/message_sink.h"
#include "serial/serial_backend.h"
#include "serial/trace.h"
#include "serial/trace_texts.h"

namespace vx {
namespace {

// The reader's "Time to Exit" line goes to a debug channel rather than the trace: it is written
// whether tracing is on or not, and shows with QT_LOGGING_RULES="vx.serial.debug=true".
Q_LOGGING_CATEGORY(lcSerial, "vx.serial", QtInfoMsg)

constexpr std::size_t kReportBlockSize = 256;

}  // namespace

ReadThread::~ReadThread() { join(); }

void ReadThread::body() {
  const IoResult mask = port_.watchLineEvents(kLineErrorEvent);
  if (mask.status != IoStatus::Completed) {
    reportFailure({traceErrorText(mask.error, "Unable to SetCommMask: ")});
  } else if (!startNextLineEventWait()) {
    reportFailure({traceErrorText(last_error_, "Unable to SetupCommEvent1: ")});
  } else if (!startNextRead()) {
    reportFailure({traceErrorText(last_error_, "Unable to SetupReadEvent: ")});
  } else {
    while (waitAndHandle()) {
    }
  }
  traceLine("Read thread shutting down");
  port_.purge(Direction::Receive);
}

bool ReadThread::waitAndHandle() {
  const WaitResult wait = port_.waitReader(close_event_);
  switch (wait.event) {
    case WaitEvent::Failed:
      reportFailure({traceErrorText(wait.error, "Read WAIT_FAILED: ")});
      return false;
    case WaitEvent::Close:
      qCDebug(lcSerial) << "Time to Exit";
      return false;
    case WaitEvent::LineEvent:
      if (!handleLineEvent(true)) {
        reportFailure({traceErrorText(last_error_, "Unable HandleCommEvent: ")});
        return false;
      }
      if (!startNextLineEventWait()) {
        reportFailure({traceErrorText(last_error_, "Unable to SetupCommEvent2: ")});
        return false;
      }
      return true;
    case WaitEvent::ReadDone:
      if (!handleCompletedRead()) {
        reportFailure({traceErrorText(last_error_, "Unable to HandleReadEvent: ")});
        return false;
      }
      if (!startNextRead()) {
        reportFailure({});  // startNextRead traced why, or the port is closing
        return false;
      }
      return true;
    default:
      reportFailure({"Unexpected Wait return value " + std::to_string(waitNumber(wait.event))});
      return false;
  }
}

bool ReadThread::startNextRead() {
  for (;;) {
    if (close_event_.isSet()) return false;
    const IoResult read = port_.startRead(buffer_, kBufferSize);
    switch (read.status) {
      case IoStatus::Completed:
        // A burst is drained here without going back to the wait.
        traceLine("Data waiting for ReadFile: ");
        if (!postReceived(buffer_, read.count)) return false;
        continue;
      case IoStatus::Pending:
        traceLine("Waiting for data from comm connection.");
        return true;
      case IoStatus::InvalidHandle:
      case IoStatus::Failed:
        noteFailure(read, "Unexpected ReadFile error: ", true);
        return false;
    }
  }
}

bool ReadThread::handleCompletedRead() {
  const IoResult read = port_.readResult();
  if (read.status == IoStatus::Completed) return postReceived(buffer_, read.count);
  noteFailure(read, "Unexpected GetOverlappedResult Read Error: ", true);
  return false;
}

void ReadThread::noteFailure(const IoResult& result, const char* what, bool report) {
  last_error_ = result.error;
  if (result.status == IoStatus::InvalidHandle)
    traceLine(kInvalidHandleText);
  else if (report)
    reportFailure({traceErrorText(result.error, what)});
  else
    traceError(result.error, what);
}

bool ReadThread::postReceived(const std::uint8_t* buffer, std::size_t count) {
  // The read interval never lets a read complete without data: 0 bytes means the device is gone.
  if (count == 0) {
    traceLine("The device went away (a read gave no data)");
    return false;
  }
  traceLine("Got something from Comm port!!!");
  QByteArray block;
  if (!reserve(block, count)) return false;
  block.append(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(count));
  sink_.post(LinkNotice{LinkNotice::Kind::ReceivedBytes, std::move(block)});
  return true;
}

bool ReadThread::reserve(QByteArray& block, std::size_t size) {
  try {
    block.reserve(static_cast<qsizetype>(size));
    return true;
  } catch (const std::bad_alloc&) {
    last_error_ = ENOMEM;
    traceError(ENOMEM, "LocalAlloc: ");
    return false;
  }
}

bool ReadThread::startNextLineEventWait() {
  for (;;) {
    if (close_event_.isSet()) return false;
    const IoResult wait = port_.startLineEventWait();
    switch (wait.status) {
      case IoStatus::Completed:
        event_mask_ = wait.eventMask;
        traceLine("Event (Error) waiting before WaitCommEvent.");
        if (!handleLineEvent(false)) return false;
        continue;
      case IoStatus::Pending:
        traceLine("Waiting for a CommEvent (Error) to occur.");
        return true;
      case IoStatus::InvalidHandle:
      case IoStatus::Failed:
        noteFailure(wait, "Unexpected WaitCommEvent error: ", false);
        return false;
    }
  }
}

bool ReadThread::handleLineEvent(bool retrieve) {
  QByteArray block;
  if (!reserve(block, kReportBlockSize)) return false;
  if (retrieve) {
    const IoResult wait = port_.lineEventResult();
    if (wait.status != IoStatus::Completed) {
      noteFailure(wait, "Unexpected GetOverlappedResult for WaitCommEvent: ", false);
      return false;
    }
    event_mask_ = wait.eventMask;
  }
  if (event_mask_ & kLineErrorEvent) {
    std::uint32_t errors = 0;
    const IoResult cleared = port_.takeLineErrors(&errors);
    if (cleared.status != IoStatus::Completed) {
      noteFailure(cleared, "ClearCommError: ", false);
      return false;
    }
    const std::string report = lineErrorReport(errors);
    block.append(report.data(), static_cast<qsizetype>(std::min(report.size(), kReportBlockSize - 1)));
    sink_.post(LinkNotice{LinkNotice::Kind::ReceivedBytes, std::move(block)});
    return true;
  }
  traceLine("Unexpected comm event " + std::to_string(event_mask_));
  return false;
}

}  // namespace vx
