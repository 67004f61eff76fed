#pragma once
// A job port and progress for tests: records every call with the virtual time it happened
// at, and can refuse to open the port or lose the line. Sent bytes come back as the wire: each byte with the virtual
// time it was handed over, in microseconds.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "protocol/job_port.h"
#include "protocol/virtual_pacer.h"

namespace vx::test {

struct PortError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct HostCall {
  enum Kind { Open, Send, Close, Show, Hide, Max, Position, Pump };
  Kind kind;
  int value = 0;                    // Max / Position
  std::vector<std::uint8_t> bytes;  // Send
  std::int64_t ms = 0;
  int pause = 0;  // Send: the pause it was handed over with
};

class RecordingHost : public JobPort, public JobProgress {
 public:
  explicit RecordingHost(VirtualPacer& pacer) : pacer_(pacer) {}

  void openPort() override {
    ++opens;
    if (failOpen || opens == failOnOpen) throw PortError("Error opening com port");
    record(HostCall::Open);
  }
  bool sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) override {
    HostCall& call = record(HostCall::Send);
    call.bytes.assign(data, data + length);
    call.pause = pause_ms;
    ++sends;
    return true;
  }
  bool lineLost() override {
    return (lostAfterSends > 0 && sends >= lostAfterSends) || (lostAtClose && calls.back().kind == HostCall::Close);
  }
  void closePort() override { record(HostCall::Close); }
  void showProgress() override { record(HostCall::Show); }
  void hideProgress() override { record(HostCall::Hide); }
  void setProgressMax(int maximum) override { record(HostCall::Max).value = maximum; }
  void setProgressPosition(int position) override { record(HostCall::Position).value = position; }
  void processMessages() override {
    record(HostCall::Pump);
    if (onPump) onPump();
  }

  std::vector<HostCall> calls;
  bool failOpen = false;
  int failOnOpen = 0;  // the openPort call (counted from 1) that fails; 0 = none
  int opens = 0;
  int sends = 0;
  int lostAfterSends = 0;    // the line is lost once this many hand-overs were made; 0 = never
  bool lostAtClose = false;  // the line turns out lost when the port is closed
  std::function<void()> onPump;

  std::vector<HostCall> only(HostCall::Kind kind) const {
    std::vector<HostCall> out;
    for (const HostCall& c : calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }
  std::vector<int> values(HostCall::Kind kind) const {
    std::vector<int> out;
    for (const HostCall& c : only(kind)) out.push_back(c.value);
    return out;
  }
  std::vector<std::uint8_t> bytes() const {
    std::vector<std::uint8_t> out;
    for (const HostCall& c : only(HostCall::Send)) out.insert(out.end(), c.bytes.begin(), c.bytes.end());
    return out;
  }
  // Every sent byte with the virtual time of its hand-over in microseconds.
  std::vector<std::pair<std::uint8_t, std::int64_t>> wire() const {
    std::vector<std::pair<std::uint8_t, std::int64_t>> out;
    for (const HostCall& c : only(HostCall::Send))
      for (std::uint8_t b : c.bytes) out.emplace_back(b, c.ms * 1000);
    return out;
  }

 private:
  HostCall& record(HostCall::Kind kind) {
    calls.push_back(HostCall{kind, 0, {}, pacer_.elapsedMs()});
    return calls.back();
  }
  VirtualPacer& pacer_;
};

}  // namespace vx::test
