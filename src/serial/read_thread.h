#pragma once
// TReadThread: keeps one read and one line-event wait outstanding on the port and posts what
// arrives to the message sink: each completed read as one UM_RECEIVEDDATA block, each line error
// as a UM_RECEIVEDDATA report. Ends quietly when the close event is set; ends after posting a
// hang-up request (UM_REQUESTHANGUP) when the port fails, and purges the receive side on its way
// out.

#include <cstddef>
#include <cstdint>

#include "serial/port_thread.h"
#include "serial/serial_backend.h"

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
  // A port call that did not complete: keeps its errno and traces it, an invalid handle by its
  // own line, anything else after `what`; with `report` through reportFailure.
  void noteFailure(const IoResult& result, const char* what, bool report);

  std::uint8_t buffer_[kBufferSize] = {};
  std::uint32_t event_mask_ = 0;
  int last_error_ = 0;  // errno of the last failing port call, for the trace
};

}  // namespace vx
