#include "serial/read_thread.h"

#include <QLoggingCategory>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "serial/comm_messages.h"
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

TReadThread::~TReadThread() { join(); }

void TReadThread::Execute() {
  const IoResult mask = port_.setCommMask(EV_ERR);
  if (mask.status != IoStatus::Completed) {
    reportFailure({traceErrorText(mask.error, "Unable to SetCommMask: ")});
  } else if (!SetupCommEvent()) {
    reportFailure({traceErrorText(last_error_, "Unable to SetupCommEvent1: ")});
  } else if (!SetupReadEvent()) {
    reportFailure({traceErrorText(last_error_, "Unable to SetupReadEvent: ")});
  } else {
    while (waitAndHandle()) {
    }
  }
  TraceLine("Read thread shutting down");
  port_.purge(PURGE_RXABORT | PURGE_RXCLEAR);
}

bool TReadThread::waitAndHandle() {
  const WaitResult wait = port_.waitReader(close_event_);
  switch (wait.event) {
    case WaitEvent::Failed:
      reportFailure({traceErrorText(wait.error, "Read WAIT_FAILED: ")});
      return false;
    case WaitEvent::Close:
      qCDebug(lcSerial) << "Time to Exit";
      return false;
    case WaitEvent::LineEvent:
      if (!HandleCommEvent(true)) {
        reportFailure({traceErrorText(last_error_, "Unable HandleCommEvent: ")});
        return false;
      }
      if (!SetupCommEvent()) {
        reportFailure({traceErrorText(last_error_, "Unable to SetupCommEvent2: ")});
        return false;
      }
      return true;
    case WaitEvent::ReadDone:
      if (!HandleReadEvent()) {
        reportFailure({traceErrorText(last_error_, "Unable to HandleReadEvent: ")});
        return false;
      }
      if (!SetupReadEvent()) {
        reportFailure({});  // SetupReadEvent traced why, or the port is closing
        return false;
      }
      return true;
    default:
      reportFailure({"Unexpected Wait return value " + std::to_string(waitNumber(wait.event))});
      return false;
  }
}

bool TReadThread::SetupReadEvent() {
  for (;;) {
    if (close_event_.isSet()) return false;
    const IoResult read = port_.startRead(buffer_, kBufferSize);
    switch (read.status) {
      case IoStatus::Completed:
        // A burst is drained here without going back to the wait.
        TraceLine("Data waiting for ReadFile: ");
        if (!PostReceivedData(buffer_, read.count)) return false;
        continue;
      case IoStatus::Pending:
        TraceLine("Waiting for data from comm connection.");
        return true;
      case IoStatus::InvalidHandle:
      case IoStatus::Failed:
        noteFailure(read, "Unexpected ReadFile error: ", true);
        return false;
    }
  }
}

bool TReadThread::HandleReadEvent() {
  const IoResult read = port_.readResult();
  if (read.status == IoStatus::Completed) return PostReceivedData(buffer_, read.count);
  noteFailure(read, "Unexpected GetOverlappedResult Read Error: ", true);
  return false;
}

void TReadThread::noteFailure(const IoResult& result, const char* what, bool report) {
  last_error_ = result.error;
  if (result.status == IoStatus::InvalidHandle)
    TraceLine(kInvalidHandleText);
  else if (report)
    reportFailure({traceErrorText(result.error, what)});
  else
    TraceError(result.error, what);
}

bool TReadThread::PostReceivedData(const std::uint8_t* buffer, std::size_t count) {
  // The time-outs never let a read complete without data: 0 bytes means the device is gone.
  if (count == 0) {
    TraceLine("The device went away (a read gave no data)");
    return false;
  }
  TraceLine("Got something from Comm port!!!");
  std::unique_ptr<char[]> block(new (std::nothrow) char[count + 1]());
  if (!block) {
    last_error_ = ENOMEM;
    TraceError(ENOMEM, "LocalAlloc: ");
    return false;
  }
  std::memcpy(block.get(), buffer, count);
  return sink_.post(UM_RECEIVEDDATA, count, std::move(block));
}

bool TReadThread::SetupCommEvent() {
  for (;;) {
    if (close_event_.isSet()) return false;
    const IoResult wait = port_.startCommEventWait();
    switch (wait.status) {
      case IoStatus::Completed:
        event_mask_ = wait.eventMask;
        TraceLine("Event (Error) waiting before WaitCommEvent.");
        if (!HandleCommEvent(false)) return false;
        continue;
      case IoStatus::Pending:
        TraceLine("Waiting for a CommEvent (Error) to occur.");
        return true;
      case IoStatus::InvalidHandle:
      case IoStatus::Failed:
        noteFailure(wait, "Unexpected WaitCommEvent error: ", false);
        return false;
    }
  }
}

bool TReadThread::HandleCommEvent(bool retrieve) {
  std::unique_ptr<char[]> block(new (std::nothrow) char[kReportBlockSize]());
  if (!block) {
    last_error_ = ENOMEM;
    TraceError(ENOMEM, "LocalAlloc: ");
    return false;
  }
  if (retrieve) {
    const IoResult wait = port_.commEventResult();
    if (wait.status != IoStatus::Completed) {
      noteFailure(wait, "Unexpected GetOverlappedResult for WaitCommEvent: ", false);
      return false;
    }
    event_mask_ = wait.eventMask;
  }
  if (event_mask_ & EV_ERR) {
    std::uint32_t errors = 0;
    const IoResult cleared = port_.clearCommError(&errors);
    if (cleared.status != IoStatus::Completed) {
      noteFailure(cleared, "ClearCommError: ", false);
      return false;
    }
    const std::string report = lineErrorReport(errors);
    const std::size_t length = std::min(report.size(), kReportBlockSize - 1);
    std::memcpy(block.get(), report.data(), length);
    // The sink accepts every message; the reader goes on either way, the line itself is fine.
    (void)sink_.post(UM_RECEIVEDDATA, length, std::move(block));
    return true;
  }
  TraceLine("Unexpected comm event " + std::to_string(event_mask_));
  return false;
}

}  // namespace vx
