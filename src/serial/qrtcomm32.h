#pragma once
// TQRTComm32: the serial-port component that links the main window to the ticket printer.
// OpenPort opens COM1..COM4 with the published line settings and starts a reader and a writer
// thread (the writer, which times the writes, at real-time priority where the system allows it);
// SendData hands a copy of a block to the writer and returns at once; the writer keeps the pause
// each block asks for after the previous write; ClosePort lets every block handed over before it
// reach the line (bounded by the line's speed and the pauses still to keep), then stops both
// threads and closes the port. lineLost() tells whether the device went away during an opening.
// What the reader receives, and hang-up requests from either thread, arrive as OnReceiveData /
// OnRequestHangup on the owner's thread when it processes its events.
//
// Everything here is called on the owner's thread (the thread that constructed it). OpenPort
// raises ECommsError; SendData and ClosePort never raise. A property change takes effect at the
// next OpenPort. On Linux COMn is the device resolveComPort gives ($VORLANDEX_COMn, the operator's
// stored choice, /dev/ttyS(n-1)); a refused open says in ECommsError which device, what kind of
// failure and the system's error number (open_failure.h tells it to people).

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "serial/comm_types.h"
#include "serial/comms_error.h"
#include "serial/serial_backend.h"

namespace vx {

class MessageSink;
struct SinkMessage;
class TReadThread;
class TWriteThread;

class TQRTComm32 : public QObject {
  Q_OBJECT

 public:
  // `Buffer` holds `BufferLength` bytes followed by a zero byte; it is released when the handler
  // returns, so a handler that keeps the data copies it.
  using TReceiveDataEvent = std::function<void(const char* Buffer, std::uint16_t BufferLength)>;
  using TNotifyEvent = std::function<void(TQRTComm32* Sender)>;

  // A null back end means this computer's serial devices (DeviceBackend). CommPort starts as Com1; the other
  // settings at their first values (____110, None, _4, _1) until the owner sets them. Sets the
  // trace back to the program's trace file: off unless a technician switched it on (trace.h).
  explicit TQRTComm32(QObject* owner = nullptr, std::unique_ptr<SerialBackend> backend = nullptr);
  // Closes a port that is still open.
  ~TQRTComm32() override;

  // True when the port is open and both threads run. False only when the close event could not be
  // made (the port is then closed again). Raises ECommsError: "Already have a comm file open",
  // "Error opening com port", "File handle is not a comm handle. ", "Unable to create Read
  // thread", "Unable to create Write thread" (after the last two the port stays partly open
  // until ClosePort).
  bool OpenPort();
  // Queues a copy of `length` bytes for the writer. True when queued; false when no port is open
  // or the writer has ended. Blocks reach the line whole and in call order; the first byte of
  // this one no sooner than `pause_ms` after the previous write to the device (after OpenPort
  // for the first one).
  bool SendData(const void* data, std::uint16_t length, std::uint32_t pause_ms = 0);
  // Lets the writer finish its queue and the line drain (at most the queued pauses + queued
  // bytes x 10 / speed + 2 s), then stops the reader and the writer and closes the port. Does
  // nothing when no port is open.
  void ClosePort();
  // True when the port open now, or the one closed last, lost its line while open: its reader or
  // writer gave up on it (the device went away, a write failed for good), or bytes handed over
  // could not be sent before ClosePort's deadline. Whatever was handed over may then not have
  // reached the printer. False again from the next OpenPort.
  bool lineLost() const;
  // True while a port is open (from OpenPort, even partly, until ClosePort).
  bool isOpen() const { return port_handle_ != nullptr; }

  TCommPort commPort() const { return port_; }
  void setCommPort(TCommPort value) { port_ = value; }
  TBaudRate baudRate() const { return speed_; }
  void setBaudRate(TBaudRate value) { speed_ = value; }
  TParity parity() const { return parity_; }
  void setParity(TParity value) { parity_ = value; }
  TDataBits dataBits() const { return data_bits_; }
  void setDataBits(TDataBits value) { data_bits_ = value; }
  TStopBits stopBits() const { return stop_bits_; }
  void setStopBits(TStopBits value) { stop_bits_ = value; }

  TReceiveDataEvent OnReceiveData;
  TNotifyEvent OnRequestHangup;

  // Extra time ClosePort allows the line to drain beyond the bytes' own transmission time.
  static constexpr int kDrainMarginMs = 2000;
  // How long ClosePort waits for a thread before it notes that it does not end.
  static constexpr int kThreadExitWaitMs = 10000;

 private:
  void applyLineSettings(SerialPort& port);
  void messageHandler(SinkMessage& message);
  void drainOutput();

  std::unique_ptr<SerialBackend> backend_;
  std::unique_ptr<TReadThread> reader_;
  std::unique_ptr<TWriteThread> writer_;
  TCommPort port_ = TCommPort::Com1;
  std::unique_ptr<SerialPort> port_handle_;
  std::unique_ptr<WakeEvent> close_event_;
  std::unique_ptr<MessageSink> sink_;
  TBaudRate speed_ = TBaudRate::Baud110;
  TParity parity_ = TParity::None;
  TStopBits stop_bits_ = TStopBits::_1;
  TDataBits data_bits_ = TDataBits::_4;
  std::string device_;            // the device of the port open now or last, for the trace
  std::uint32_t open_speed_ = 0;  // bits per second the open port was set to
  bool closed_lost_ = false;      // lineLost() of the port closed last
};

}  // namespace vx
