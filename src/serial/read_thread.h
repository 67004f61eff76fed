#pragma once
// TReadThread: keeps one read and one line-event wait outstanding on the port and posts what
// arrives to the message sink: each completed read as one UM_RECEIVEDDATA block, each line error
// as a UM_RECEIVEDDATA report. Ends quietly when the close event is set; ends after posting a
// hang-up request (UM_REQUESTHANGUP) when the port fails, and purges the receive side on its way
// out.

#include <cstddef>
#include <cstdint>

#include "serial/port_thread.h"

namespace vx {

class TReadThread final : public PortThread {
 public:
  static constexpr std::size_t kBufferSize = 2048;

  using PortThread::PortThread;
  ~TReadThread() override;

 protected:
  void Execute() override;

 private:
  // One wait and what it ended with; false when the reader ends.
  bool waitAndHandle();
  bool SetupReadEvent();
  bool HandleReadEvent();
  bool PostReceivedData(const std::uint8_t* buffer, std::size_t count);
  bool SetupCommEvent();
  bool HandleCommEvent(bool retrieve);

  std::uint8_t buffer_[kBufferSize] = {};
  std::uint32_t event_mask_ = 0;
  int last_error_ = 0;  // errno of the last failing port call, for the trace
};

}  // namespace vx
