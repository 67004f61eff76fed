#include "serial/write_thread.h"

#include <optional>
#include <string>

#include "serial/comm_messages.h"
#include "serial/serial_backend.h"
#include "serial/trace.h"
#include "serial/trace_texts.h"

namespace vx {

TWriteThread::TWriteThread(SerialPort& port, const CloseEvent& close_event, MessageSink& sink,
                           std::unique_ptr<WriteQueue> queue)
    : PortThread(port, close_event, sink), queue_(std::move(queue)) {}

TWriteThread::~TWriteThread() { join(); }

bool TWriteThread::PostMessage(std::uint32_t message, std::uint32_t count,
                               std::unique_ptr<std::uint8_t[]> block) {
  return queue_->post(WriteMessage{message, count, std::move(block)});
}

void TWriteThread::Execute() {
  for (;;) {
    std::optional<WriteMessage> message = queue_->take();
    if (!message) {
      const WaitResult wait = port_.waitWriterIdle(close_event_, queue_->wakeFd());
      if (wait.event == WaitEvent::Failed) {
        reportFailure({traceErrorText(wait.error, "Write WAIT_FAILED: ")});
        break;
      }
      if (wait.event == WaitEvent::Close) break;
      if (wait.event == WaitEvent::WriteRequest) continue;
      reportFailure({"Unexpected Wait return value " + std::to_string(waitNumber(wait.event))});
      break;
    }
    if (close_event_.isSet()) break;  // the request is dropped unwritten
    if (message->message == UM_WRITEREQUEST) {
      TraceLine("Writing to comm port");
      const bool written = HandleWriteRequest(message->block.get(), message->count);
      message->block.reset();
      queue_->done();
      if (!written) break;
      continue;
    }
    TraceLine("Unexpected message posted to Write thread: " + std::to_string(message->message));
    queue_->done();
  }
  queue_->refuse();
  TraceLine("Write thread shutting down");
  port_.purge(PURGE_TXABORT | PURGE_TXCLEAR);
}

bool TWriteThread::HandleWriteRequest(const std::uint8_t* block, std::size_t count) {
  const std::uint8_t* rest = block;
  std::size_t left = count;
  for (;;) {
    IoResult write = port_.startWrite(rest, left);
    if (write.status == IoStatus::Pending) {
      const WaitResult wait = port_.waitWrite(close_event_);
      if (wait.event == WaitEvent::Failed) {
        reportFailure({traceErrorText(wait.error, "Write WAIT_FAILED: ")});
        return false;
      }
      if (wait.event == WaitEvent::Close) return false;  // closing: the write is left to the purge
      if (wait.event != WaitEvent::WriteDone) {
        reportFailure({"Unexpected Wait return value " + std::to_string(waitNumber(wait.event))});
        return false;
      }
      write = port_.writeResult();
      if (write.status == IoStatus::InvalidHandle) {
        TraceLine(kInvalidHandleText);
        return false;
      }
      if (write.status != IoStatus::Completed) {
        reportFailure({traceErrorText(write.error, "Error writing to CommFile while waiting"), "Closing TAPI"});
        return false;
      }
    } else if (write.status == IoStatus::InvalidHandle) {
      TraceLine(kInvalidHandleText);
      return false;
    } else if (write.status == IoStatus::Failed) {
      reportFailure({traceErrorText(write.error, "Error to writing to CommFile"), "Closing TAPI"});
      return false;
    }
    left -= write.count;
    rest += write.count;
    if (left == 0) return true;
  }
}

}  // namespace vx
