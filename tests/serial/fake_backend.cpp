#include "fake_backend.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace vx {

struct FakeLineState {
  // Called with the lock held after every change a waiting thread may care about.
  void changedLocked() {
    reader_wake->set();
    writer_wake->set();
    changed.notify_all();
  }

  struct Read {
    std::vector<std::uint8_t> bytes;
    int error = 0;
  };
  struct Event {
    std::uint32_t mask = 0;
    std::uint32_t errors = 0;
  };

  mutable std::mutex mutex;
  mutable std::condition_variable changed;
  // Set at every change; the fake port's waits sleep on them beside the close event.
  const std::unique_ptr<WakeEvent> reader_wake = WakeEvent::create(nullptr);
  const std::unique_ptr<WakeEvent> writer_wake = WakeEvent::create(nullptr);

  int open_error = 0;
  bool char_device = true;
  bool refuse_line_settings = false;
  int close_event_error = 0;
  int thread_fail_countdown = 0;
  int thread_error = 0;
  std::vector<std::string> opened;
  int open_ports = 0;
  std::vector<int> priorities;
  LineSettings settings;
  std::uint32_t read_interval_ms = 0;

  std::deque<Read> reads;
  std::deque<Event> events;
  std::uint32_t errors = 0;
  bool read_pending = false;
  bool event_pending = false;

  std::vector<std::uint8_t> written;
  std::vector<std::chrono::steady_clock::time_point> write_times;
  std::chrono::milliseconds next_write_delay{0};
  bool stalled = false;
  int write_error = 0;
  std::size_t chunk = 0;
  bool write_pending = false;
  std::size_t output_queued = 0;
  bool gone = false;
  std::vector<Direction> discards;
};

namespace {

// Waits until one of `events` is set, at most `timeout_ms` (-1: no limit): the index of the first
// one set, -1 when none is.
int waitAny(std::initializer_list<const WakeEvent*> events, int timeout_ms = -1) {
  pollfd fds[4];
  nfds_t n = 0;
  for (const WakeEvent* event : events) fds[n++] = pollfd{static_cast<int>(event->nativeHandle()), POLLIN, 0};
  while (::poll(fds, n, timeout_ms) < 0 && errno == EINTR) {
  }
  for (nfds_t i = 0; i < n; ++i)
    if (fds[i].revents & POLLIN) return static_cast<int>(i);
  return -1;
}

class FakePort final : public SerialPort {
 public:
  explicit FakePort(std::shared_ptr<FakeLineState> state) : s_(std::move(state)) {}
  ~FakePort() override { close(); }

  bool isCharacterDevice() override {
    std::lock_guard lock(s_->mutex);
    return s_->char_device;
  }
  bool applyLineSettings(const LineSettings& settings) override {
    std::lock_guard lock(s_->mutex);
    s_->settings = settings;
    return !s_->refuse_line_settings;
  }
  bool setReadInterval(std::uint32_t interval_ms) override {
    std::lock_guard lock(s_->mutex);
    s_->read_interval_ms = interval_ms;
    return true;
  }

  IoResult watchLineEvents(std::uint32_t) override { return IoResult{IoStatus::Completed}; }

  IoResult startRead(std::uint8_t* buffer, std::size_t size) override {
    std::lock_guard lock(s_->mutex);
    buffer_ = buffer;
    size_ = size;
    if (s_->reads.empty() && !s_->gone) {
      s_->read_pending = true;
      s_->changedLocked();
      return IoResult{IoStatus::Pending};
    }
    s_->read_pending = false;
    return takeReadLocked();
  }
  IoResult readResult() override {
    std::lock_guard lock(s_->mutex);
    if (s_->reads.empty() && !s_->gone) return IoResult{IoStatus::Pending};
    s_->read_pending = false;
    return takeReadLocked();
  }
  IoResult startLineEventWait() override {
    std::lock_guard lock(s_->mutex);
    if (s_->events.empty()) {
      s_->event_pending = true;
      return IoResult{IoStatus::Pending};
    }
    return takeEventLocked();
  }
  IoResult lineEventResult() override {
    std::lock_guard lock(s_->mutex);
    if (s_->events.empty()) return IoResult{IoStatus::Pending};
    s_->event_pending = false;
    return takeEventLocked();
  }
  WaitResult waitReader(const WakeEvent& close) override {
    for (;;) {
      if (close.isSet()) return {WaitEvent::Close, 0};
      {
        std::lock_guard lock(s_->mutex);
        if (s_->event_pending && !s_->events.empty()) return {WaitEvent::LineEvent, 0};
        if (s_->read_pending && (!s_->reads.empty() || s_->gone)) return {WaitEvent::ReadDone, 0};
      }
      if (waitAny({&close, s_->reader_wake.get()}) == 1) s_->reader_wake->reset();
    }
  }
  IoResult takeLineErrors(std::uint32_t* errors) override {
    std::lock_guard lock(s_->mutex);
    *errors = s_->errors;
    s_->errors = 0;
    return IoResult{IoStatus::Completed};
  }

  WaitResult waitWriterIdle(const WakeEvent& close, const WakeEvent& queued) override {
    for (;;) {
      {
        std::lock_guard lock(s_->mutex);
        if (s_->gone) return {WaitEvent::Failed, EIO};
      }
      const int ready = waitAny({&close, &queued, s_->writer_wake.get()});
      if (ready == 0) return {WaitEvent::Close, 0};
      if (ready == 1) return {WaitEvent::WriteRequest, 0};
      s_->writer_wake->reset();
    }
  }
  IoResult startWrite(const std::uint8_t* data, std::size_t count) override {
    std::chrono::milliseconds delay{0};
    {
      std::lock_guard lock(s_->mutex);
      std::swap(delay, s_->next_write_delay);
    }
    if (delay.count() > 0) std::this_thread::sleep_for(delay);
    std::lock_guard lock(s_->mutex);
    data_ = data;
    count_ = count;
    if (!s_->gone && !s_->write_error && s_->stalled) {
      s_->write_pending = true;
      s_->changedLocked();
      return IoResult{IoStatus::Pending};
    }
    return writeLocked();
  }
  WaitResult waitWrite(const WakeEvent& close) override {
    for (;;) {
      if (close.isSet()) return {WaitEvent::Close, 0};
      {
        std::lock_guard lock(s_->mutex);
        if (s_->gone || s_->write_error || !s_->stalled) {
          result_ = writeLocked();
          s_->write_pending = false;
          return {WaitEvent::WriteDone, 0};
        }
      }
      if (waitAny({&close, s_->writer_wake.get()}) == 1) s_->writer_wake->reset();
    }
  }
  IoResult writeResult() override { return result_; }
  WaitResult waitUntil(const WakeEvent& close, std::chrono::steady_clock::time_point deadline) override {
    for (;;) {
      if (close.isSet()) return {WaitEvent::Close, 0};
      {
        std::lock_guard lock(s_->mutex);
        if (s_->gone) return {WaitEvent::Failed, EIO};
      }
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return {WaitEvent::Deadline, 0};
      if (waitAny({&close, s_->writer_wake.get()}, static_cast<int>(left.count())) == 1)
        s_->writer_wake->reset();
    }
  }

  std::size_t outputQueued() override {
    std::lock_guard lock(s_->mutex);
    return s_->output_queued;
  }
  void close() override {
    if (closed_) return;
    closed_ = true;
    std::lock_guard lock(s_->mutex);
    --s_->open_ports;
    s_->read_pending = s_->event_pending = s_->write_pending = false;
    s_->changedLocked();
  }

 protected:
  void discard(Direction side) override {
    std::lock_guard lock(s_->mutex);
    s_->discards.push_back(side);
    if (side == Direction::Transmit) s_->output_queued = 0;
  }

 private:
  IoResult takeReadLocked() {
    if (s_->reads.empty()) return IoResult{IoStatus::Completed, 0};  // gone
    FakeLineState::Read& read = s_->reads.front();
    if (read.error) {
      const int error = read.error;
      s_->reads.pop_front();
      return IoResult{error == EBADF ? IoStatus::InvalidHandle : IoStatus::Failed, 0, 0, error};
    }
    const std::size_t n = std::min(size_, read.bytes.size());
    std::copy_n(read.bytes.begin(), n, buffer_);
    if (n == read.bytes.size()) {
      s_->reads.pop_front();
    } else {
      read.bytes.erase(read.bytes.begin(), read.bytes.begin() + static_cast<std::ptrdiff_t>(n));
    }
    return IoResult{IoStatus::Completed, n};
  }
  IoResult takeEventLocked() {
    const FakeLineState::Event event = s_->events.front();
    s_->events.pop_front();
    s_->errors |= event.errors;
    return IoResult{IoStatus::Completed, 0, event.mask};
  }
  IoResult writeLocked() {
    if (s_->gone) return IoResult{IoStatus::Failed, 0, 0, EIO};
    if (s_->write_error) {
      return IoResult{s_->write_error == EBADF ? IoStatus::InvalidHandle : IoStatus::Failed, 0, 0,
                      s_->write_error};
    }
    const std::size_t n = s_->chunk ? std::min(s_->chunk, count_) : count_;
    s_->written.insert(s_->written.end(), data_, data_ + n);
    s_->write_times.push_back(std::chrono::steady_clock::now());
    s_->changedLocked();
    return IoResult{IoStatus::Completed, n};
  }

  std::shared_ptr<FakeLineState> s_;
  bool closed_ = false;
  std::uint8_t* buffer_ = nullptr;
  std::size_t size_ = 0;
  const std::uint8_t* data_ = nullptr;
  std::size_t count_ = 0;
  IoResult result_;
};

}  // namespace

FakeBackend::FakeBackend() : state_(std::make_shared<FakeLineState>()) {}
FakeBackend::~FakeBackend() = default;

SerialBackend::OpenResult FakeBackend::openPort(const std::string& name) {
  std::lock_guard lock(state_->mutex);
  state_->opened.push_back(name);
  if (state_->open_error) return {nullptr, state_->open_error, {}};
  ++state_->open_ports;
  state_->gone = false;
  return {std::make_unique<FakePort>(state_), 0, {}};
}

std::unique_ptr<WakeEvent> FakeBackend::createCloseEvent(int* error) {
  {
    std::lock_guard lock(state_->mutex);
    if (state_->close_event_error) {
      if (error) *error = state_->close_event_error;
      state_->close_event_error = 0;
      return nullptr;
    }
  }
  return SerialBackend::createCloseEvent(error);
}

std::thread FakeBackend::startThread(std::function<void()> body, int priority_steps, bool) {
  {
    std::lock_guard lock(state_->mutex);
    if (state_->thread_fail_countdown > 0 && --state_->thread_fail_countdown == 0) {
      throw std::system_error(state_->thread_error, std::generic_category());
    }
    state_->priorities.push_back(priority_steps);
  }
  return SerialBackend::startThread(std::move(body), priority_steps, false);
}

namespace {

// Every scripted change wakes the fake port's waits and the test's waits.
template <typename Change>
void update(FakeLineState& s, Change change) {
  std::lock_guard lock(s.mutex);
  change(s);
  s.changedLocked();
}

}  // namespace

void FakeBackend::failOpen(int error) {
  update(*state_, [&](FakeLineState& s) { s.open_error = error; });
}
void FakeBackend::setCharacterDevice(bool is_char) {
  update(*state_, [&](FakeLineState& s) { s.char_device = is_char; });
}

void FakeBackend::refuseLineSettings(bool refuse) {
  update(*state_, [&](FakeLineState& s) { s.refuse_line_settings = refuse; });
}
void FakeBackend::failNextCloseEvent(int error) {
  update(*state_, [&](FakeLineState& s) { s.close_event_error = error; });
}
void FakeBackend::failThreadStart(int nth, int error) {
  update(*state_, [&](FakeLineState& s) {
    s.thread_fail_countdown = nth;
    s.thread_error = error;
  });
}
void FakeBackend::pushRead(std::vector<std::uint8_t> bytes) {
  update(*state_, [&](FakeLineState& s) { s.reads.push_back(FakeLineState::Read{std::move(bytes), 0}); });
}
void FakeBackend::pushReadError(int error) {
  update(*state_, [&](FakeLineState& s) { s.reads.push_back(FakeLineState::Read{{}, error}); });
}
void FakeBackend::pushLineEvent(std::uint32_t mask, std::uint32_t errors) {
  update(*state_, [&](FakeLineState& s) { s.events.push_back(FakeLineState::Event{mask, errors}); });
}
void FakeBackend::stallWrites(bool stalled) {
  update(*state_, [&](FakeLineState& s) { s.stalled = stalled; });
}
void FakeBackend::failWrites(int error) {
  update(*state_, [&](FakeLineState& s) { s.write_error = error; });
}
void FakeBackend::setWriteChunk(std::size_t n) {
  update(*state_, [&](FakeLineState& s) { s.chunk = n; });
}
void FakeBackend::setOutputQueued(std::size_t n) {
  update(*state_, [&](FakeLineState& s) { s.output_queued = n; });
}
void FakeBackend::delayNextWrite(std::chrono::milliseconds time) {
  update(*state_, [&](FakeLineState& s) { s.next_write_delay = time; });
}
void FakeBackend::hangUp() {
  update(*state_, [&](FakeLineState& s) { s.gone = true; });
}

std::vector<std::string> FakeBackend::openedNames() const {
  std::lock_guard lock(state_->mutex);
  return state_->opened;
}
int FakeBackend::openPorts() const {
  std::lock_guard lock(state_->mutex);
  return state_->open_ports;
}
LineSettings FakeBackend::appliedSettings() const {
  std::lock_guard lock(state_->mutex);
  return state_->settings;
}
std::uint32_t FakeBackend::appliedReadInterval() const {
  std::lock_guard lock(state_->mutex);
  return state_->read_interval_ms;
}
std::vector<std::uint8_t> FakeBackend::written() const {
  std::lock_guard lock(state_->mutex);
  return state_->written;
}
std::vector<std::chrono::steady_clock::time_point> FakeBackend::writeTimes() const {
  std::lock_guard lock(state_->mutex);
  return state_->write_times;
}
std::vector<Direction> FakeBackend::discards() const {
  std::lock_guard lock(state_->mutex);
  return state_->discards;
}
std::vector<int> FakeBackend::threadPriorities() const {
  std::lock_guard lock(state_->mutex);
  return state_->priorities;
}
bool FakeBackend::waitForWritten(std::size_t bytes, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(state_->mutex);
  return state_->changed.wait_for(lock, timeout, [&] { return state_->written.size() >= bytes; });
}
bool FakeBackend::waitForStalledWrite(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(state_->mutex);
  return state_->changed.wait_for(lock, timeout, [&] { return state_->write_pending; });
}
bool FakeBackend::waitForReaderWaiting(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(state_->mutex);
  return state_->changed.wait_for(lock, timeout,
                                  [&] { return state_->read_pending && state_->reads.empty(); });
}

}  // namespace vx
