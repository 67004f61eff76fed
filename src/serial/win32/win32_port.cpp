#include "serial/win32/win32_port.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "serial/trace.h"
#include "serial/wake_event.h"

namespace vx {

// The line events and errors travel as Windows reports them: the line-error report prints the
// flags' sum and the trace an unexpected event mask, both in Windows' own numbers.
static_assert(kLineErrorEvent == EV_ERR);
static_assert(kOverrunError == CE_OVERRUN && kParityError == CE_RXPARITY && kFramingError == CE_FRAME &&
              kBreakError == CE_BREAK);

namespace {

// How long the close waits for the system to let go of the transfers it cancelled. A driver
// answers a cancel, and the closing of the handle, within moments. Wine now and then never ends
// a cancelled line-event wait (still pending seconds after the close): its records are then
// left to it.
constexpr DWORD kLetGoWaitMs = 50;
// More line-event waits ended by the system within a second than this are a port in trouble
// (Wine on a pseudo-terminal ends one or more at every write: 200 to 300 a second, measured).
constexpr int kMaxCommAbortsPerSecond = 1000;

HANDLE handleOf(const WakeEvent& event) { return reinterpret_cast<HANDLE>(event.nativeHandle()); }

IoResult completed(std::size_t count) { return IoResult{IoStatus::Completed, count, 0, 0}; }
IoResult pending() { return IoResult{IoStatus::Pending, 0, 0, 0}; }
IoResult failure(DWORD error) {
  return IoResult{error == ERROR_INVALID_HANDLE ? IoStatus::InvalidHandle : IoStatus::Failed, 0, 0,
                  static_cast<int>(error)};
}
WaitResult waitFailure(DWORD answer) {
  // Any answer but WAIT_FAILED (an abandoned mutex, a time-out) cannot come from these waits.
  return {WaitEvent::Failed,
          static_cast<int>(answer == WAIT_FAILED ? ::GetLastError() : ERROR_INVALID_HANDLE)};
}

DWORD transferSize(std::size_t size) {
  return static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
}

}  // namespace

void setLineSettings(DCB& dcb, const LineSettings& settings) {
  static constexpr BYTE kParities[] = {NOPARITY, ODDPARITY, EVENPARITY, MARKPARITY, SPACEPARITY};
  static constexpr BYTE kStopBits[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};
  dcb.BaudRate = settings.bitsPerSecond;
  dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
  dcb.Parity = kParities[static_cast<int>(settings.parity)];
  dcb.StopBits = kStopBits[static_cast<int>(settings.stopBits)];
  dcb.fBinary = TRUE;
  dcb.fParity = settings.parity != Parity::None;
  // The printer never answers and has no handshake lines: nothing may hold the output back.
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fTXContinueOnXoff = TRUE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  // Every byte as it came: no replacement of bad bytes, no dropped zeros, and line errors
  // reported through EV_ERR instead of failing every transfer until they are cleared.
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
}

std::unique_ptr<Win32Port> Win32Port::adopt(HANDLE handle, PauseTimer::Kind timer_kind, DWORD* error) {
  DWORD failed = 0;
  std::unique_ptr<PauseTimer> timer = PauseTimer::create(timer_kind, &failed);
  if (!timer) {
    ::CloseHandle(handle);
    if (error) *error = failed;
    return nullptr;
  }
  std::unique_ptr<Win32Port> port(new Win32Port(handle, std::move(timer)));
  if (!port->makeEvents(&failed)) {
    if (error) *error = failed;
    return nullptr;  // the destructor closes the handle
  }
  return port;
}

Win32Port::Win32Port(HANDLE handle, std::unique_ptr<PauseTimer> timer)
    : handle_(handle), timer_(std::move(timer)) {}

bool Win32Port::makeEvents(DWORD* error) {
  for (Transfer* transfer : {&io_->read, &io_->comm, &io_->write}) {
    // Manual reset, as overlapped transfers need.
    transfer->event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!transfer->event) {
      *error = ::GetLastError();
      return false;
    }
  }
  return true;
}

Win32Port::~Win32Port() {
  close();
  if (!io_) return;  // left to the system
  for (Transfer* transfer : {&io_->read, &io_->comm, &io_->write})
    if (transfer->event) ::CloseHandle(transfer->event);
}

bool Win32Port::isCharacterDevice() {
  if (::GetFileType(handle_) != FILE_TYPE_CHAR) return false;
  // The console, the NUL device and printers are character devices too: only a port has a DCB.
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  return ::GetCommState(handle_, &dcb);
}

bool Win32Port::applyLineSettings(const LineSettings& settings) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(handle_, &dcb)) return false;
  setLineSettings(dcb, settings);
  if (!::SetCommState(handle_, &dcb)) return false;
  // A driver may round a speed or keep a setting it lacks without saying so: see what it holds.
  DCB back{};
  back.DCBlength = sizeof back;
  if (!::GetCommState(handle_, &back)) return false;
  return back.BaudRate == dcb.BaudRate && back.ByteSize == dcb.ByteSize && back.Parity == dcb.Parity &&
         back.StopBits == dcb.StopBits && !back.fOutxCtsFlow && !back.fOutxDsrFlow && !back.fOutX &&
         !back.fInX && back.fRtsControl != RTS_CONTROL_HANDSHAKE && back.fDtrControl != DTR_CONTROL_HANDSHAKE;
}

bool Win32Port::setReadInterval(std::uint32_t interval_ms) {
  // No total limits: a read waits for its first byte without limit, a write for its last.
  COMMTIMEOUTS t{interval_ms, 0, 0, 0, 0};
  return ::SetCommTimeouts(handle_, &t);
}

// ---- transfers

void Win32Port::prepare(Transfer& transfer) {
  transfer.overlapped = OVERLAPPED{};
  transfer.overlapped.hEvent = transfer.event;
  ::ResetEvent(transfer.event);
}

IoResult Win32Port::started(Transfer& transfer, BOOL done) {
  if (done) {
    // Completed at once: the record holds the count, as for a transfer that completes later.
    transfer.pending = true;
    return finish(transfer);
  }
  const DWORD error = ::GetLastError();
  if (error == ERROR_IO_PENDING) {
    transfer.pending = true;
    return pending();
  }
  return failure(error);
}

IoResult Win32Port::finish(Transfer& transfer) {
  if (!transfer.pending) return pending();
  DWORD count = 0;
  if (::GetOverlappedResult(handle_, &transfer.overlapped, &count, FALSE)) {
    transfer.pending = false;
    return completed(count);
  }
  const DWORD error = ::GetLastError();
  if (error == ERROR_IO_INCOMPLETE) return pending();
  transfer.pending = false;
  return failure(error);
}

bool Win32Port::settled(Transfer& transfer) {
  if (HasOverlappedIoCompleted(&transfer.overlapped)) return true;
  ::ResetEvent(transfer.event);
  // A completion between the two looks sets the event again after the reset, or shows here.
  return HasOverlappedIoCompleted(&transfer.overlapped);
}

void Win32Port::requestCancel(Transfer& transfer) {
  // ERROR_NOT_FOUND: it had completed already; either way its event is set once it is done.
  if (transfer.pending) (void)::CancelIoEx(handle_, &transfer.overlapped);
}

void Win32Port::releaseInFlight() {
  const ULONGLONG start = ::GetTickCount64();
  bool held = false;
  for (Transfer* transfer : {&io_->read, &io_->comm, &io_->write}) {
    while (transfer->pending && !settled(*transfer)) {
      const ULONGLONG spent = ::GetTickCount64() - start;
      if (spent >= kLetGoWaitMs) break;
      (void)::WaitForSingleObject(transfer->event, static_cast<DWORD>(kLetGoWaitMs - spent));
    }
    if (transfer->pending && !settled(*transfer)) held = true;
    transfer->pending = false;
  }
  if (!held) return;
  // The system may still write into the records and set their events: they stay its own, a
  // few kilobytes and three events, rather than be freed or closed under it.
  traceLine("The system still held a transfer after the port was closed: its records are left to it");
  (void)io_.release();
}

// ---- reader

IoResult Win32Port::watchLineEvents(std::uint32_t events) {
  if (!::SetCommMask(handle_, events)) return failure(::GetLastError());
  return completed(0);
}

IoResult Win32Port::startRead(std::uint8_t* buffer, std::size_t size) {
  prepare(io_->read);
  read_target_ = buffer;
  io_->readBytes.resize(transferSize(size));
  return delivered(started(io_->read, ::ReadFile(handle_, io_->readBytes.data(), transferSize(size), nullptr,
                                                 &io_->read.overlapped)));
}

IoResult Win32Port::readResult() { return delivered(finish(io_->read)); }

IoResult Win32Port::delivered(IoResult read) {
  if (read.status == IoStatus::Completed && read.count > 0)
    std::memcpy(read_target_, io_->readBytes.data(), read.count);
  return read;
}

IoResult Win32Port::startLineEventWait() {
  comm_outcome_held_ = false;
  prepare(io_->comm);
  io_->commMask = 0;
  IoResult result = started(io_->comm, ::WaitCommEvent(handle_, &io_->commMask, &io_->comm.overlapped));
  if (result.status == IoStatus::Completed) result.eventMask = io_->commMask;
  return result;
}

IoResult Win32Port::lineEventResult() {
  if (comm_outcome_held_) {
    comm_outcome_held_ = false;
    return comm_outcome_;
  }
  IoResult result = finish(io_->comm);
  if (result.status == IoStatus::Completed) result.eventMask = io_->commMask;
  return result;
}

bool Win32Port::restartedAbortedCommWait() {
  IoResult outcome = finish(io_->comm);
  if (outcome.status == IoStatus::Completed) outcome.eventMask = io_->commMask;
  // Wine ends a pending WaitCommEvent with ERROR_OPERATION_ABORTED whenever it looks at a
  // port whose modem lines it cannot read (a pseudo-terminal: at every write). Windows ends one
  // so only when the port goes, and then the new wait fails at once, and so does the read. So
  // an aborted wait is started again, unless aborts come faster than writes could make them.
  if (outcome.status == IoStatus::Failed && outcome.error == ERROR_OPERATION_ABORTED) {
    const Clock::time_point now = Clock::now();
    if (now - comm_abort_window_ > std::chrono::seconds(1)) {
      comm_abort_window_ = now;
      comm_aborts_ = 0;
    }
    if (++comm_aborts_ <= kMaxCommAbortsPerSecond) {
      traceLine("The line-event wait was ended by the system; waiting again.");
      outcome = startLineEventWait();
      if (outcome.status == IoStatus::Pending) return true;
    }
  }
  comm_outcome_ = outcome;
  comm_outcome_held_ = true;
  return false;
}

WaitResult Win32Port::waitReader(const WakeEvent& close) {
  for (;;) {
    HANDLE handles[3] = {handleOf(close)};
    WaitEvent answers[3] = {WaitEvent::Close};
    DWORD count = 1;
    // A transfer the system does not hold has no event worth waiting for.
    if (io_->comm.pending) {
      handles[count] = io_->comm.event;
      answers[count++] = WaitEvent::LineEvent;
    }
    if (io_->read.pending) {
      handles[count] = io_->read.event;
      answers[count++] = WaitEvent::ReadDone;
    }
    const DWORD r = ::WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (r == WAIT_OBJECT_0) {
      requestCancel(io_->read);
      requestCancel(io_->comm);
      return {WaitEvent::Close, 0};
    }
    if (r <= WAIT_OBJECT_0 || r >= WAIT_OBJECT_0 + count) return waitFailure(r);
    const WaitEvent answer = answers[r - WAIT_OBJECT_0];
    if (!settled(answer == WaitEvent::LineEvent ? io_->comm : io_->read)) continue;
    if (answer == WaitEvent::LineEvent && restartedAbortedCommWait()) continue;
    return {answer, 0};
  }
}

IoResult Win32Port::takeLineErrors(std::uint32_t* errors) {
  DWORD flags = 0;
  COMSTAT status{};
  if (!::ClearCommError(handle_, &flags, &status)) return failure(::GetLastError());
  *errors = flags | stray_errors_.exchange(0);
  return completed(0);
}

// ---- writer

WaitResult Win32Port::waitWriterIdle(const WakeEvent& close, const WakeEvent& queue) {
  const HANDLE handles[2] = {handleOf(close), handleOf(queue)};
  const DWORD r = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
  if (r == WAIT_OBJECT_0) return {WaitEvent::Close, 0};
  if (r == WAIT_OBJECT_0 + 1) return {WaitEvent::WriteRequest, 0};
  return waitFailure(r);
}

IoResult Win32Port::startWrite(const std::uint8_t* data, std::size_t count) {
  prepare(io_->write);
  write_count_ = transferSize(count);
  io_->writeBytes.assign(data, data + write_count_);
  IoResult result =
      started(io_->write, ::WriteFile(handle_, io_->writeBytes.data(), static_cast<DWORD>(write_count_),
                                      nullptr, &io_->write.overlapped));
  // Without write time-outs a write ends only when the port has taken every byte; one that took
  // none did not write, and retrying it would spin.
  if (result.status == IoStatus::Completed && result.count == 0 && write_count_ > 0)
    return failure(ERROR_WRITE_FAULT);
  return result;
}

WaitResult Win32Port::waitWrite(const WakeEvent& close) {
  for (;;) {
    const HANDLE handles[2] = {handleOf(close), io_->write.event};
    const DWORD r = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    if (r == WAIT_OBJECT_0) {
      requestCancel(io_->write);
      return {WaitEvent::Close, 0};
    }
    if (r != WAIT_OBJECT_0 + 1) return waitFailure(r);
    if (settled(io_->write)) return {WaitEvent::WriteDone, 0};
  }
}

IoResult Win32Port::writeResult() {
  IoResult result = finish(io_->write);
  if (result.status == IoStatus::Completed && result.count == 0 && write_count_ > 0)
    return failure(ERROR_WRITE_FAULT);
  return result;
}

WaitResult Win32Port::waitUntil(const WakeEvent& close, Clock::time_point deadline) {
  return timer_->waitUntil(handleOf(close), deadline);
}

// ---- any thread

std::size_t Win32Port::outputQueued() {
  DWORD flags = 0;
  COMSTAT status{};
  if (!::ClearCommError(handle_, &flags, &status)) return 0;
  if (flags != 0) stray_errors_.fetch_or(flags);
  return status.cbOutQue;
}

void Win32Port::discard(Direction side) {
  (void)::PurgeComm(
      handle_, side == Direction::Receive ? PURGE_RXABORT | PURGE_RXCLEAR : PURGE_TXABORT | PURGE_TXCLEAR);
}

void Win32Port::close() {
  if (handle_ == INVALID_HANDLE_VALUE) return;
  // The threads have ended. Whatever they left in flight is cancelled; closing the handle ends
  // every transfer on it, and only then are the records let go.
  // A new event mask ends a pending line-event wait, as Windows documents; Wine answers a cancel
  // of one only when it next looks at the port's state, as ClearCommError does.
  if (io_->comm.pending) (void)::SetCommMask(handle_, 0);
  for (Transfer* transfer : {&io_->read, &io_->comm, &io_->write}) requestCancel(*transfer);
  if (io_->comm.pending) (void)outputQueued();
  ::CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  releaseInFlight();
}

}  // namespace vx
