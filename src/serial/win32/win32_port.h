#pragma once
// One open Windows serial port behind the SerialPort operations: the handle CreateFileW gave
// for overlapped I/O, one OVERLAPPED with its own manual-reset event for each of the read, the
// line-event wait and the write, and the writer's pause timer. Every wait is
// WaitForMultipleObjects with the close event first, so it wins when several are set; a wait that
// the close event ends asks the system to cancel the transfers it was waiting for and returns at
// once. The system only ever touches the port's own copies of the bytes (a read is copied to the
// reader's buffer once complete, a write's bytes are copied when it starts), so no transfer can
// outlive a thread's buffer; close() ends every transfer, or leaves its records to the system.
//
// Reads follow the link's read interval, which the driver keeps (SetCommTimeouts). Line errors
// are the driver's own (EV_ERR, ClearCommError). A port that goes away (an adapter pulled) fails
// the pending read and line-event wait and the next write with the number the driver chooses
// (ERROR_OPERATION_ABORTED, ERROR_BAD_COMMAND, ERROR_DEVICE_NOT_CONNECTED, ...): each is
// reported as Failed, as the POSIX back end reports a vanished device, so the thread posts its
// hang-up request and ends. Only ERROR_INVALID_HANDLE reads as an invalid handle. An idle writer
// has no transfer of its own in flight and cannot see the port go away: the reader does.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "serial/serial_backend.h"
#include "serial/win32/pause_timer.h"
#include "serial/win32/windows_api.h"

namespace vx {

class Win32Port final : public SerialPort {
 public:
  using Clock = std::chrono::steady_clock;

  // Takes over `handle` (opened with FILE_FLAG_OVERLAPPED). Null, with the handle closed and
  // GetLastError()'s number in *error, when the events or the pause timer cannot be made.
  static std::unique_ptr<Win32Port> adopt(HANDLE handle, PauseTimer::Kind timer, DWORD* error);
  ~Win32Port() override;
  Win32Port(const Win32Port&) = delete;
  Win32Port& operator=(const Win32Port&) = delete;

  // GetFileType gives FILE_TYPE_CHAR and the port answers GetCommState.
  bool isCharacterDevice() override;
  bool applyLineSettings(const LineSettings& settings) override;
  bool setReadInterval(std::uint32_t interval_ms) override;

  IoResult watchLineEvents(std::uint32_t events) override;
  IoResult startRead(std::uint8_t* buffer, std::size_t size) override;
  IoResult readResult() override;
  IoResult startLineEventWait() override;
  IoResult lineEventResult() override;
  WaitResult waitReader(const WakeEvent& close) override;
  IoResult takeLineErrors(std::uint32_t* errors) override;

  WaitResult waitWriterIdle(const WakeEvent& close, const WakeEvent& queue) override;
  IoResult startWrite(const std::uint8_t* data, std::size_t count) override;
  WaitResult waitWrite(const WakeEvent& close) override;
  IoResult writeResult() override;
  WaitResult waitUntil(const WakeEvent& close, Clock::time_point deadline) override;

  // From ClearCommError's COMSTAT; the error flags that call clears are kept for the reader's
  // next takeLineErrors.
  std::size_t outputQueued() override;
  void close() override;

  PauseTimer::Kind pauseTimerKind() const { return timer_->kind(); }

 protected:
  void discard(Direction side) override;

 private:
  // One overlapped transfer: its record, its event, whether the system still holds it.
  struct Transfer {
    OVERLAPPED overlapped{};
    HANDLE event = nullptr;
    bool pending = false;
  };

  Win32Port(HANDLE handle, std::unique_ptr<PauseTimer> timer);
  bool makeEvents(DWORD* error);
  void prepare(Transfer& transfer);
  // The outcome of a call that started `transfer` and returned `started`.
  IoResult started(Transfer& transfer, BOOL started);
  // The transfer's result without waiting: Pending while the system holds it.
  IoResult finish(Transfer& transfer);
  // A read's result, its bytes copied to the reader's buffer once it has completed.
  IoResult delivered(IoResult read);
  // Asks the system to end the transfer if it still holds it; close() waits for it to let go.
  void requestCancel(Transfer& transfer);
  // After the handle is closed: waits (boundedly) until the system has let go of every transfer,
  // and leaves the records to it should it still hold one.
  void releaseInFlight();
  // After the transfer's event was seen set: whether the transfer has completed. An event set
  // for nothing (a completion the system signalled late) is reset, so the wait goes on.
  bool settled(Transfer& transfer);
  // Takes the completed line-event wait's outcome; true when it was ended by the system alone
  // and has been started again, so the reader need not hear of it.
  bool restartedAbortedCommWait();

  // What the system writes into or reads from while a transfer is in flight: the transfers'
  // records and events, the line-event mask, and the bytes of the read and of the write. Held
  // apart from the port and from the threads' buffers, so that no thread waits on a cancel and a
  // transfer the system still holds after the close is left this memory, never freed under it.
  struct InFlight {
    Transfer read;
    Transfer comm;
    Transfer write;
    DWORD commMask = 0;
    std::vector<std::uint8_t> readBytes;
    std::vector<std::uint8_t> writeBytes;
  };

  HANDLE handle_;
  std::unique_ptr<PauseTimer> timer_;
  std::unique_ptr<InFlight> io_ = std::make_unique<InFlight>();
  std::uint8_t* read_target_ = nullptr;  // the reader's buffer, given the bytes of a completed read
  // The line-event wait's outcome once waitReader has taken it from the system.
  IoResult comm_outcome_;
  bool comm_outcome_held_ = false;
  // Line-event waits the system ended by itself lately (see waitReader).
  int comm_aborts_ = 0;
  Clock::time_point comm_abort_window_;
  std::size_t write_count_ = 0;
  std::atomic<std::uint32_t> stray_errors_{0};  // cleared by outputQueued, not yet reported
};

// Puts `settings` into `dcb` with the line the printer needs: binary, no flow control of any kind
// (CTS, DSR, XON/XOFF), DTR and RTS on, nothing replaced or dropped, no abort on error. Other
// fields stay as they are.
void setLineSettings(DCB& dcb, const LineSettings& settings);

}  // namespace vx
