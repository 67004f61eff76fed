#pragma once
// TWriteThread: takes write requests (UM_WRITEREQUEST) from its own queue strictly in order and
// writes each one whole before taking the next. Checks the close event before every request, so
// requests still queued when it is set are dropped unwritten; a write in progress is abandoned.
// After a failed write it posts a hang-up request and ends, and its queue refuses every later
// request. Purges the transmit side on its way out.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "serial/port_thread.h"
#include "serial/write_queue.h"

namespace vx {

class TWriteThread final : public PortThread {
 public:
  // `queue` must exist before the thread starts, so requests are accepted from the start.
  TWriteThread(SerialPort& port, const CloseEvent& close_event, MessageSink& sink,
               std::unique_ptr<WriteQueue> queue);
  ~TWriteThread() override;

  // Any thread. Hands `block` (count bytes and a zero byte) to the writer; false when refused.
  [[nodiscard]] bool PostMessage(std::uint32_t message, std::uint32_t count, std::unique_ptr<std::uint8_t[]> block);
  WriteQueue& queue() { return *queue_; }

 protected:
  void Execute() override;

 private:
  bool HandleWriteRequest(const std::uint8_t* block, std::size_t count);

  std::unique_ptr<WriteQueue> queue_;
};

}  // namespace vx
