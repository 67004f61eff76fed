#pragma once
// What the far end of a pseudo-terminal may judge of a line: content and framing only. Its
// arrival times are no clock (the pty hands bytes over through a kernel worker, and a reader
// on a busy computer wakes late and then takes a burst), so spacing is judged where the bytes
// are written, from the writer's stamps (the send tests and the benchmarks).

#include <gtest/gtest.h>

#include "printer/virtual_printer.h"

namespace vx::test {

// Arrival times trail the writes by an unknown delay; the decoder is given the whole spacing
// as slack so that it reports no pacing, whatever the arrivals.
inline constexpr std::int64_t kLineSlackUs = 12'000;

inline void expectContentAndFramingSound(const printer::DecodeResult& r) {
  for (const printer::Problem& p : r.problems)
    if (p.kind != printer::Problem::Kind::Pacing) ADD_FAILURE() << p.text;
}

}  // namespace vx::test
