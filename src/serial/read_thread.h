#pragma once
// ReadThread: keeps one read and one line-event wait outstanding on the port and posts what
// arrives to the message sink: each completed read as one block of received bytes, each line
// error as a report in the same way. Ends quietly when the close event is set; ends after posting
// a hang-up request when the port fails. Either way it purges the receive side on its way out,
// the only purge of that side the port gets.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "serial/port_thread.h"
#include "serial/serial_backend.h"

namespace vx {

class ReadThread final : public PortThread {
 public:
  static constexpr std::size_t kBufferSize = 2048;

  using PortThread::PortThread;
  ~ReadThread() override;

 protected:
  void body() override;

 private:
  // One wait and what it ended with; false when the reader ends.
  bool waitAndHandle();
  bool startNextRead();
  bool handleCompletedRead();
  bool postReceived(const std::uint8_t* buffer, std::size_t count);
  bool startNextLineEventWait();
  bool handleLineEvent(bool retrieve);
  // Makes room for `size` bytes in `block`; false, traced, when there is no memory for them.
  bool reserve(QByteArray& block, std::size_t size);
  // A port call that did not complete: keeps its errno and traces it, an invalid handle by its
  // own line, anything else after `what`; with `report` through reportFailure.
  void noteFailure(const IoResult& result, const char* what, bool report);

  std::uint8_t buffer_[kBufferSize] = {};
  std::uint32_t event_mask_ = 0;
  int last_error_ = 0;  // errno of the last failing port call, for the trace
};

}  // namespace vx
