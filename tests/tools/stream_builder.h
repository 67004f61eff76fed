#pragma once
// Hand-made line streams for the decoder: bytes with arrival times.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "printer/decoder.h"

namespace vx::test {

class StreamBuilder {
 public:
  StreamBuilder& at(double ms) {
    us_ = static_cast<std::int64_t>(ms * 1000);
    return *this;
  }
  StreamBuilder& after(double ms) {
    us_ += static_cast<std::int64_t>(ms * 1000);
    return *this;
  }
  StreamBuilder& bytes(std::initializer_list<int> list) {
    for (int b : list) out_.push_back({static_cast<std::uint8_t>(b), us_});
    return *this;
  }
  StreamBuilder& bytes(const std::vector<std::uint8_t>& list) {
    for (std::uint8_t b : list) out_.push_back({b, us_});
    return *this;
  }
  StreamBuilder& word() { return bytes({0x44, 0x49, 0x4D, 0x50}); }
  // A register write and the 100 ms that follow it.
  StreamBuilder& reg(int code, int v1, int v2 = 0) {
    word().bytes({0x40, code, v1, v2});
    return after(100);
  }
  // A block transfer announcing `count` (the data's size when negative).
  StreamBuilder& block(int code, const std::vector<std::uint8_t>& data, double spacingMs = 12, int count = -1,
                       bool terminator = true) {
    const int n = count < 0 ? static_cast<int>(data.size()) : count;
    word().bytes({code, 0x00, n >> 8, n & 0xFF});
    for (std::uint8_t b : data) {
      bytes({b});
      after(spacingMs);
    }
    if (terminator) bytes({0x46});
    return *this;
  }
  const std::vector<printer::TimedByte>& stream() const { return out_; }

 private:
  std::vector<printer::TimedByte> out_;
  std::int64_t us_ = 0;
};

}  // namespace vx::test
