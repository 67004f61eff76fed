#include "send/watched_device.h"

#include "protocol/monotonic_clock.h"
#include "serial/system_errors.h"

namespace vx {

// Passes every operation to the device's own port and looks at the writer's results.
class WatchedDevice::Port final : public SerialPort {
 public:
  Port(WatchedDevice& owner, std::unique_ptr<SerialPort> port) : owner_(owner), port_(std::move(port)) {}

  bool isCharacterDevice() override { return port_->isCharacterDevice(); }
  bool applyLineSettings(const LineSettings& settings) override { return port_->applyLineSettings(settings); }
  bool setReadInterval(std::uint32_t interval_ms) override { return port_->setReadInterval(interval_ms); }
  IoResult watchLineEvents(std::uint32_t events) override { return port_->watchLineEvents(events); }
  IoResult startRead(std::uint8_t* buffer, std::size_t size) override { return port_->startRead(buffer, size); }
  IoResult readResult() override { return port_->readResult(); }
  IoResult startLineEventWait() override { return port_->startLineEventWait(); }
  IoResult lineEventResult() override { return port_->lineEventResult(); }
  WaitResult waitReader(const WakeEvent& close) override { return port_->waitReader(close); }
  IoResult takeLineErrors(std::uint32_t* errors) override { return port_->takeLineErrors(errors); }

  WaitResult waitWriterIdle(const WakeEvent& close, const WakeEvent& queued) override {
    return noteWait(port_->waitWriterIdle(close, queued));
  }
  IoResult startWrite(const std::uint8_t* data, std::size_t count) override {
    return noteWrite(port_->startWrite(data, count));
  }
  WaitResult waitWrite(const WakeEvent& close) override { return noteWait(port_->waitWrite(close)); }
  WaitResult waitUntil(const WakeEvent& close, std::chrono::steady_clock::time_point deadline) override {
    return noteWait(port_->waitUntil(close, deadline));
  }
  IoResult writeResult() override { return noteWrite(port_->writeResult()); }

  std::size_t outputQueued() override { return port_->outputQueued(); }
  void close() override { port_->close(); }

 protected:
  void discard(Direction side) override {
    // A purge of the transmit side throws away what the device has not sent yet.
    if (side == Direction::Transmit) owner_.purged_ += port_->outputQueued();
    port_->purge(side);
  }

 private:
  IoResult noteWrite(IoResult r) {
    if (r.status == IoStatus::Completed) {
      if (owner_.stamp_ && r.count > 0) owner_.stamp_(monotonicNs(), r.count);
      owner_.written_ += r.count;
    } else if (r.status == IoStatus::Failed || r.status == IoStatus::InvalidHandle) {
      owner_.noteFailure(r.error != 0 ? r.error : genericIoError());
    }
    return r;
  }
  WaitResult noteWait(WaitResult r) {
    if (r.event == WaitEvent::Failed) owner_.noteFailure(r.error != 0 ? r.error : genericIoError());
    return r;
  }

  WatchedDevice& owner_;
  std::unique_ptr<SerialPort> port_;
};

WatchedDevice::WatchedDevice(std::string devicePath, WriteStamp stamp)
    : path_(std::move(devicePath)), stamp_(std::move(stamp)) {}

SerialBackend::OpenResult WatchedDevice::openPort(const std::string&) {
  OpenResult opened = DeviceBackend::openPort(path_);
  if (!opened.port) return opened;
  opened.port = std::make_unique<Port>(*this, std::move(opened.port));
  return opened;
}

void WatchedDevice::noteFailure(int error) {
  int none = 0;
  failure_.compare_exchange_strong(none, error);
}

}  // namespace vx
