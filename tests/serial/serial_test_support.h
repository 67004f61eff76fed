#pragma once
// Helpers shared by the serial tests: driving the owner's event loop until something happened,
// and recording what the component reports.

#include <QCoreApplication>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "serial/printer_line.h"
#include "serial/qrtcomm32.h"

namespace vx::testing {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Processes the owner's events until `done()` holds or `timeout` passes; true when it held.
template <typename Done>
bool pumpUntil(Done done, std::chrono::milliseconds timeout = 5s) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    QCoreApplication::processEvents();
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
}

inline void pumpFor(std::chrono::milliseconds time) {
  pumpUntil([] { return false; }, time);
}

inline double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// What the component delivered to its owner.
struct Reports {
  std::vector<std::string> blocks;  // each OnReceiveData, BufferLength bytes
  bool all_zero_terminated = true;  // every Buffer[BufferLength] was 0
  int hangups = 0;
  TQRTComm32* last_sender = nullptr;

  std::string joined() const {
    std::string all;
    for (const auto& b : blocks) all += b;
    return all;
  }
};

inline void listen(TQRTComm32& comm, Reports& reports) {
  comm.OnReceiveData = [&reports](const char* buffer, std::uint16_t length) {
    reports.blocks.emplace_back(buffer, length);
    if (buffer[length] != 0) reports.all_zero_terminated = false;
  };
  comm.OnRequestHangup = [&reports](TQRTComm32* sender) {
    ++reports.hangups;
    reports.last_sender = sender;
  };
}

inline std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace vx::testing
