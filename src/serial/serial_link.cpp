#include "serial/serial_link.h"

#include <chrono>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "serial/device_backend.h"
#include "serial/message_sink.h"
#include "serial/read_thread.h"
#include "serial/system_errors.h"
#include "serial/trace.h"
#include "serial/write_thread.h"

namespace vx {
namespace {

// Reader two steps above normal, writer one: a queued frame goes out and received bytes are
// collected promptly while the owner's thread sleeps between frames.
constexpr int kReaderPriority = 2;
constexpr int kWriterPriority = 1;
// How often close() looks at the device's output queue while the line drains.
constexpr auto kDrainPoll = std::chrono::milliseconds(2);

// Tells a thread to stop; it purges its side of the port on its way out, as it does when it ends
// on its own after a failure, and after its own transfers have ended. A thread that has not ended
// within kThreadExitWaitMs is noted; releasing it afterwards still waits for its end (its body
// looks only at the close event, so there is no way to end it sooner).
void stopThread(PortThread& thread, WakeEvent& close_event, const char* not_exiting) {
  close_event.set();
  if (!thread.waitFor(SerialLink::kThreadExitWaitMs)) traceLine(not_exiting);
}

}  // namespace

SerialLink::SerialLink(QObject* owner, std::unique_ptr<SerialBackend> backend)
    : QObject(owner), backend_(backend ? std::move(backend) : std::make_unique<DeviceBackend>()) {
  resetTraceFileName();
  sink_ = std::make_unique<MessageSink>([this](LinkNotice& notice) { deliver(notice); });
}

SerialLink::~SerialLink() {
  // Threads still running would post to a sink that is about to go.
  close();
}

bool SerialLink::open() {
  if (port_handle_) {
    traceLine("Already have a comm file open");
    throw SerialError("Already have a comm file open", SerialFailure::AlreadyOpen);
  }
  closed_lost_ = false;

  const std::string name = comPortName(port_);
  SerialBackend::OpenResult opened = backend_->openPort(name);
  device_ = opened.device.empty() ? name : opened.device;
  if (!opened.port) {
    if (traceOn()) traceError(opened.error, ("Error opening com port " + device_ + ": ").c_str());
    throw SerialError("Error opening com port", openFailureKind(opened.error), opened.error, device_);
  }
  if (!opened.port->isCharacterDevice()) {
    if (traceOn()) traceLine("File handle is not a comm handle. " + device_);
    throw SerialError("File handle is not a comm handle. ", SerialFailure::NotSerial, 0, device_);
  }
  port_handle_ = std::move(opened.port);
  if (traceOn()) traceLine("Opened " + device_);

  setUpLine(*port_handle_);

  int error = 0;
  close_event_ = backend_->createCloseEvent(&error);
  if (!close_event_) {
    traceError(error, "Unable to CreateEvent: ");
    // Keeping the port open here would lock it away from every later open().
    port_handle_->close();
    port_handle_.reset();
    if (traceOn()) traceLine("Closed " + device_);
    return false;
  }

  auto reader = std::make_unique<ReadThread>(*port_handle_, *close_event_, *sink_);
  if (!reader->start(*backend_, kReaderPriority, &error)) {
    traceError(error, "Unable to create Read thread");
    throw SerialError("Unable to create Read thread", SerialFailure::ThreadNotStarted, error, device_);
  }
  reader_ = std::move(reader);

  std::unique_ptr<WriteQueue> queue = WriteQueue::create(&error);
  std::unique_ptr<WriteThread> writer;
  if (queue) {
    writer = std::make_unique<WriteThread>(*port_handle_, *close_event_, *sink_, std::move(queue), device_);
  }
  if (!writer || !writer->start(*backend_, kWriterPriority, &error, /*realtime=*/true)) {
    traceError(error, "Unable to create Write thread");
    throw SerialError("Unable to create Write thread", SerialFailure::ThreadNotStarted, error, device_);
  }
  writer_ = std::move(writer);
  writer_->portOpened();
  return true;
}

// The port is used with whatever settings it took: a device that refuses one of them (a
// speed its driver lacks) may still carry the printer's bytes, and the printer answers nothing
// that could tell. So a refusal does not fail open(); it is traced.
void SerialLink::setUpLine(SerialPort& port) {
  if (!port.setReadInterval(250)) traceLine("SetCommTimeouts failed");
  if (!port.applyLineSettings(line_)) {
    traceLine("SetCommState: the device did not take " + std::to_string(line_.bitsPerSecond) +
              " bits per second, " + std::to_string(line_.dataBits) + " data bits, parity " +
              std::to_string(static_cast<int>(line_.parity)) + ", stop bits " +
              std::to_string(static_cast<int>(line_.stopBits)));
  }
  open_speed_ = line_.bitsPerSecond;
}

bool SerialLink::send(const void* data, std::uint16_t length, std::uint32_t pause_ms) {
  if (!writer_) {
    traceLine("Write thread not created");
    return false;
  }
  bool queued = false;
  try {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    queued = writer_->queueWrite(std::vector<std::uint8_t>(bytes, bytes + length), pause_ms);
  } catch (const std::bad_alloc&) {
    // No memory for the copy: lost like a refused request.
  }
  if (!queued) {
    traceLine("Failed to Post to Write thread. ");
    return false;
  }
  return true;
}

bool SerialLink::lineLost() const {
  if (!port_handle_) return closed_lost_;
  const auto lost = [](PortThread& t) { return t.gaveUp() || t.hasEnded(); };
  return (reader_ && lost(*reader_)) || (writer_ && lost(*writer_));
}

void SerialLink::drainOutput() {
  if (!writer_) return;
  using Clock = std::chrono::steady_clock;
  const std::size_t queued = writer_->queue().pendingBytes() + port_handle_->outputQueued();
  const std::uint64_t speed = open_speed_ ? open_speed_ : 1;
  const auto line_time =
      std::chrono::milliseconds(queued * 10 * 1000 / speed + writer_->queue().pendingPauseMs());
  const Clock::time_point deadline = Clock::now() + line_time + std::chrono::milliseconds(kDrainMarginMs);
  bool drained = writer_->queue().waitUntilIdle(deadline);
  // Bytes the writer has handed to the device may still sit in its output buffer; purging them
  // would cut the job's last frames off. A stalled line is given up on at the deadline.
  while (drained && port_handle_->outputQueued() > 0) {
    if (Clock::now() >= deadline) {
      drained = false;
      break;
    }
    std::this_thread::sleep_for(kDrainPoll);
  }
  closed_lost_ = !drained || lineLost();
}

void SerialLink::close() {
  if (!port_handle_) return;
  traceLine("Stopping the Comm");
  closed_lost_ = false;
  drainOutput();
  if (closed_lost_ && traceOn())
    traceLine("Lost the line to " + device_ + ": what was handed over may not all have reached it");

  if (reader_) {
    traceLine("Closing Read Thread ");
    stopThread(*reader_, *close_event_, "Read thread not exiting.  Terminating it.");
    reader_.reset();
  }
  if (writer_) {
    traceLine("Closing Write Thread");
    stopThread(*writer_, *close_event_, "Write thread not exiting.  Terminating it.");
    writer_.reset();
  }
  close_event_.reset();
  port_handle_->close();
  port_handle_.reset();
  if (traceOn()) traceLine("Closed " + device_);
}

void SerialLink::deliver(LinkNotice& notice) {
  switch (notice.kind) {
    case LinkNotice::Kind::ReceivedBytes:
      emit received(notice.bytes);
      break;
    case LinkNotice::Kind::HangupRequest:
      emit hangupRequested();
      break;
  }
}

}  // namespace vx
