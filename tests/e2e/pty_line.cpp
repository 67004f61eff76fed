#include "pty_line.h"

#include <chrono>

namespace vx::test {
namespace {

std::vector<printer::TimedByte> timed(const std::vector<FarEndReader::Byte>& bytes) {
  std::vector<printer::TimedByte> out;
  out.reserve(bytes.size());
  for (const FarEndReader::Byte& b : bytes) out.push_back({b.value, b.us});
  return out;
}

}  // namespace

PtyLine::PtyLine() { line_.useAsComPort(1); }

void PtyLine::vanish() {
  reader_.stop();
  line_.closeFarEnd();
}

std::vector<printer::TimedByte> PtyLine::received(int quietMs) {
  return timed(reader_.received(std::chrono::milliseconds(quietMs)));
}

std::vector<printer::TimedByte> PtyLine::take(int quietMs) {
  return timed(reader_.take(std::chrono::milliseconds(quietMs)));
}

}  // namespace vx::test
