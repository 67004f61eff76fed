#include "serial/qrtcomm32.h"

#include <chrono>
#include <cstring>
#include <string>
#include <new>
#include <thread>

#include "serial/comm_messages.h"
#include "serial/message_sink.h"
#include "serial/device_backend.h"
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
// How often ClosePort looks at the device's output queue while the line drains.
constexpr auto kDrainPoll = std::chrono::milliseconds(2);

// Tells a thread to stop and purges its side of the port. A thread that has not ended within
// kThreadExitWaitMs is noted; releasing it afterwards still waits for its end (its body looks
// only at the close event, so there is no way to end it sooner).
void stopThread(PortThread& thread, WakeEvent& close_event, SerialPort& port, std::uint32_t purge_flags,
                const char* not_exiting) {
  close_event.set();
  port.purge(purge_flags);
  if (!thread.waitFor(TQRTComm32::kThreadExitWaitMs)) TraceLine(not_exiting);
}

}  // namespace

TQRTComm32::TQRTComm32(QObject* owner, std::unique_ptr<SerialBackend> backend)
    : QObject(owner), backend_(backend ? std::move(backend) : std::make_unique<DeviceBackend>()) {
  resetTraceFileName();
  sink_ = std::make_unique<MessageSink>([this](SinkMessage& message) { messageHandler(message); });
}

TQRTComm32::~TQRTComm32() {
  // Threads still running would post to a sink that is about to go.
  ClosePort();
}

bool TQRTComm32::OpenPort() {
  if (port_handle_) {
    TraceLine("Already have a comm file open");
    throw ECommsError("Already have a comm file open", CommsFailure::AlreadyOpen);
  }
  closed_lost_ = false;

  const std::string name = commPortName(port_);
  SerialBackend::OpenResult opened = backend_->openPort(name);
  device_ = opened.device.empty() ? name : opened.device;
  if (!opened.port) {
    if (traceOn()) TraceError(opened.error, ("Error opening com port " + device_ + ": ").c_str());
    throw ECommsError("Error opening com port", openFailureKind(opened.error), opened.error, device_);
  }
  if (!opened.port->isCharacterDevice()) {
    if (traceOn()) TraceLine("File handle is not a comm handle. " + device_);
    throw ECommsError("File handle is not a comm handle. ", CommsFailure::NotSerial, 0, device_);
  }
  port_handle_ = std::move(opened.port);
  if (traceOn()) TraceLine("Opened " + device_);

  applyLineSettings(*port_handle_);

  int error = 0;
  close_event_ = backend_->createCloseEvent(&error);
  if (!close_event_) {
    TraceError(error, "Unable to CreateEvent: ");
    // Keeping the port open here would lock it away from every later OpenPort.
    port_handle_->close();
    port_handle_.reset();
    if (traceOn()) TraceLine("Closed " + device_);
    return false;
  }

  auto reader = std::make_unique<TReadThread>(*port_handle_, *close_event_, *sink_);
  if (!reader->start(*backend_, kReaderPriority, &error)) {
    TraceError(error, "Unable to create Read thread");
    throw ECommsError("Unable to create Read thread", CommsFailure::ThreadNotStarted, error, device_);
  }
  reader_ = std::move(reader);

  std::unique_ptr<WriteQueue> queue = WriteQueue::create(&error);
  std::unique_ptr<TWriteThread> writer;
  if (queue) {
    writer = std::make_unique<TWriteThread>(*port_handle_, *close_event_, *sink_, std::move(queue), device_);
  }
  if (!writer || !writer->start(*backend_, kWriterPriority, &error, /*realtime=*/true)) {
    TraceError(error, "Unable to create Write thread");
    throw ECommsError("Unable to create Write thread", CommsFailure::ThreadNotStarted, error, device_);
  }
  writer_ = std::move(writer);
  writer_->portOpened();
  return true;
}

// The port is used with whatever settings it took: a device that refuses one of them (a
// speed its driver lacks) may still carry the printer's bytes, and the printer answers nothing
// that could tell. So a refusal does not fail OpenPort; it is traced.
void TQRTComm32::applyLineSettings(SerialPort& port) {
  CommState state;
  CommTimeouts timeouts;
  if (!port.getCommState(&state)) TraceLine("GetCommState failed: the settings start from defaults");
  if (!port.getCommTimeouts(&timeouts)) TraceLine("GetCommTimeouts failed: the time-outs start from defaults");
  timeouts.readIntervalTimeout = 250;
  timeouts.readTotalTimeoutMultiplier = 0;
  timeouts.readTotalTimeoutConstant = 0;
  timeouts.writeTotalTimeoutMultiplier = 0;
  timeouts.writeTotalTimeoutConstant = 0;
  if (!port.setCommTimeouts(timeouts)) TraceLine("SetCommTimeouts failed");
  state.baudRate = bitsPerSecond(speed_);
  state.byteSize = dataBitCount(data_bits_);
  state.parity = static_cast<std::uint8_t>(parity_);
  state.stopBits = static_cast<std::uint8_t>(stop_bits_);
  if (!port.setCommState(state)) {
    TraceLine("SetCommState: the device did not take " + std::to_string(state.baudRate) + " bits per second, " +
              std::to_string(state.byteSize) + " data bits, parity " + std::to_string(state.parity) +
              ", stop bits " + std::to_string(state.stopBits));
  }
  open_speed_ = state.baudRate;
}

bool TQRTComm32::SendData(const void* data, std::uint16_t length, std::uint32_t pause_ms) {
  if (!writer_) {
    TraceLine("Write thread not created");
    return false;
  }
  std::unique_ptr<std::uint8_t[]> copy(new (std::nothrow) std::uint8_t[std::size_t{length} + 1]());
  if (copy && length > 0) std::memcpy(copy.get(), data, length);
  if (!copy || !writer_->PostMessage(UM_WRITEREQUEST, length, std::move(copy), pause_ms)) {
    TraceLine("Failed to Post to Write thread. ");
    return false;
  }
  return true;
}

bool TQRTComm32::lineLost() const {
  if (!port_handle_) return closed_lost_;
  const auto lost = [](PortThread& t) { return t.gaveUp() || t.hasEnded(); };
  return (reader_ && lost(*reader_)) || (writer_ && lost(*writer_));
}

void TQRTComm32::drainOutput() {
  if (!writer_) return;
  using Clock = std::chrono::steady_clock;
  const std::size_t queued = writer_->queue().pendingBytes() + port_handle_->outputQueued();
  const std::uint64_t speed = open_speed_ ? open_speed_ : 1;
  const auto line_time = std::chrono::milliseconds(queued * 10 * 1000 / speed + writer_->queue().pendingPauseMs());
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

void TQRTComm32::ClosePort() {
  if (!port_handle_) return;
  TraceLine("Stopping the Comm");
  closed_lost_ = false;
  drainOutput();
  if (closed_lost_ && traceOn())
    TraceLine("Lost the line to " + device_ + ": what was handed over may not all have reached it");

  if (reader_) {
    TraceLine("Closing Read Thread ");
    stopThread(*reader_, *close_event_, *port_handle_, PURGE_RXABORT | PURGE_RXCLEAR,
               "Read thread not exiting.  Terminating it.");
    reader_.reset();
  }
  if (writer_) {
    TraceLine("Closing Write Thread");
    stopThread(*writer_, *close_event_, *port_handle_, PURGE_TXABORT | PURGE_TXCLEAR,
               "Write thread not exiting.  Terminating it.");
    writer_.reset();
  }
  close_event_.reset();
  port_handle_->close();
  port_handle_.reset();
  if (traceOn()) TraceLine("Closed " + device_);
}

void TQRTComm32::messageHandler(SinkMessage& message) {
  switch (message.message) {
    case UM_RECEIVEDDATA:
      if (OnReceiveData) {
        OnReceiveData(message.block.get(), static_cast<std::uint16_t>(message.wparam & 0xFFFF));
      }
      message.block.reset();
      break;
    case UM_REQUESTHANGUP:
      if (OnRequestHangup) OnRequestHangup(this);
      break;
    default:
      break;
  }
}

}  // namespace vx
