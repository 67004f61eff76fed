#pragma once
// SerialLink: the serial link from the main window (or the command-line sender) to the ticket
// printer. open() opens COM1..COM4 with the line settings and starts a reader and a writer thread
// (the writer, which times the writes, at real-time priority where the system allows it); send()
// hands a copy of a block to the writer and returns at once; the writer keeps the pause each
// block asks for after the previous write; close() lets every block handed over before it reach
// the line (bounded by the line's speed and the pauses still to keep), then stops both threads and
// closes the port. lineLost() tells whether the device went away during an opening. What the
// reader receives, and hang-up requests from either thread, arrive as the signals received() and
// hangupRequested() on the owner's thread when it processes its events.
//
// Everything here is called on the owner's thread (the thread that constructed it). open() raises
// SerialError; send() and close() never raise. A settings change takes effect at the next open().
// COMn is the device comPortDevice gives ($VORLANDEX_COMn, the operator's stored choice, the
// system's own port); a refused open says in SerialError which device, what kind of failure and
// the system's error number (open_failure.h tells it to people).

#include <QByteArray>
#include <QObject>
#include <cstdint>
#include <memory>
#include <string>

#include "serial/line_settings.h"
#include "serial/serial_backend.h"
#include "serial/serial_error.h"

namespace vx {

class MessageSink;
struct LinkNotice;
class ReadThread;
class WriteThread;

class SerialLink : public QObject {
  Q_OBJECT

 public:
  // A null back end means this computer's serial devices (DeviceBackend). The port starts as COM1,
  // the line at the printer's 19200 8N1. Sets the trace back to the program's trace file: off
  // unless a technician switched it on (trace.h).
  explicit SerialLink(QObject* owner = nullptr, std::unique_ptr<SerialBackend> backend = nullptr);
  // Closes a port that is still open.
  ~SerialLink() override;

  // True when the port is open and both threads run. False only when the close event could not be
  // made (the port is then closed again). Raises SerialError: "Already have a comm file open",
  // "Error opening com port", "File handle is not a comm handle. ", "Unable to create Read
  // thread", "Unable to create Write thread" (after the last two the port stays partly open
  // until close()).
  bool open();
  // Queues a copy of `length` bytes for the writer. True when queued; false when no port is open
  // or the writer has ended. Blocks reach the line whole and in call order; the first byte of
  // this one no sooner than `pause_ms` after the previous write to the device (after open() for
  // the first one).
  bool send(const void* data, std::uint16_t length, std::uint32_t pause_ms = 0);
  // Lets the writer finish its queue and the line drain (at most the queued pauses + queued
  // bytes x 10 / speed + 2 s), then stops the reader and the writer and closes the port. Does
  // nothing when no port is open.
  void close();
  // True when the port open now, or the one closed last, lost its line while open: its reader or
  // writer gave up on it (the device went away, a write failed for good), or bytes handed over
  // could not be sent before close()'s deadline. Whatever was handed over may then not have
  // reached the printer. False again from the next open().
  bool lineLost() const;
  // True while a port is open (from open(), even partly, until close()).
  bool isOpen() const { return port_handle_ != nullptr; }

  ComPort port() const { return port_; }
  void setPort(ComPort value) { port_ = value; }
  const LineSettings& lineSettings() const { return line_; }
  void setLineSettings(const LineSettings& value) { line_ = value; }

  // Extra time close() allows the line to drain beyond the bytes' own transmission time.
  static constexpr int kDrainMarginMs = 2000;
  // How long close() waits for a thread before it notes that it does not end.
  static constexpr int kThreadExitWaitMs = 10000;

 signals:
  // Bytes the reader received, or its report of a line error.
  void received(const QByteArray& bytes);
  // The reader or the writer gave up on the port; the link stays open until close().
  void hangupRequested();

 private:
  void setUpLine(SerialPort& port);
  void deliver(LinkNotice& notice);
  void drainOutput();

  std::unique_ptr<SerialBackend> backend_;
  std::unique_ptr<ReadThread> reader_;
  std::unique_ptr<WriteThread> writer_;
  ComPort port_ = ComPort::Com1;
  std::unique_ptr<SerialPort> port_handle_;
  std::unique_ptr<WakeEvent> close_event_;
  std::unique_ptr<MessageSink> sink_;
  LineSettings line_;
  std::string device_;            // the device of the port open now or last, for the trace
  std::uint32_t open_speed_ = 0;  // bits per second the open port was set to
  bool closed_lost_ = false;      // lineLost() of the port closed last
};

}  // namespace vx
