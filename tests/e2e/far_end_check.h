#pragma once
// What the far end of a pseudo-terminal may see of a well-paced line. The spacing itself is
// measured where the bytes are written (the serial and send tests); at the far end the pty's
// own hand-over now and then delivers one byte late, so that the next looks early. A writer
// that does not keep its pauses gives dozens or hundreds of early bytes, so a couple are
// allowed and nothing else: no framing or content problem.

#include <gtest/gtest.h>

#include "printer/virtual_printer.h"

namespace vx::test {

// Arrival times trail the writes by the pty's hand-over (a kernel worker, up to +-4 ms on a
// quiet machine, more on a busy one) and the reader's wake-up, which makes the gap after a late
// byte look short; the far end only has to tell paced bytes from unpaced ones, so nearly the
// whole 12 ms is allowed as jitter.
inline constexpr std::int64_t kLineSlackUs = 11'000;
inline constexpr int kFarEndJitterAllowance = 2;

inline void expectWellPacedAtTheFarEnd(const printer::DecodeResult& r) {
  int early = 0;
  for (const printer::Problem& p : r.problems) {
    if (p.kind == printer::Problem::Kind::Pacing)
      early += p.count;
    else
      ADD_FAILURE() << p.text;
  }
  EXPECT_LE(early, kFarEndJitterAllowance) << "bytes or frames that came too soon at the far end";
}

}  // namespace vx::test
