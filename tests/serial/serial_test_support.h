#pragma once
// Helpers shared by the serial tests: driving the owner's event loop until something happened,
// and recording what the link reports.

#include <QCoreApplication>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "serial/serial_link.h"

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

// What the link delivered to its owner.
struct Reports {
  std::vector<std::string> blocks;  // each received()
  int hangups = 0;

  std::string joined() const {
    std::string all;
    for (const auto& b : blocks) all += b;
    return all;
  }
};

inline void listen(SerialLink& link, Reports& reports) {
  QObject::connect(&link, &SerialLink::received,
                   [&reports](const QByteArray& bytes) { reports.blocks.push_back(bytes.toStdString()); });
  QObject::connect(&link, &SerialLink::hangupRequested, [&reports] { ++reports.hangups; });
}

inline std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace vx::testing
