#pragma once
// The real clock of the transmission jobs. Each pause ends `ms` after the later of the
// last hand-over and the previous pause's deadline (a pacer that has not paced yet counts
// from the call), on CLOCK_MONOTONIC absolute deadlines: the spacing on the line never
// falls under the protocol's minimum and a long job does not drift. It sleeps; only the
// last few tens of microseconds before a deadline are spun, to wake on time.
// Use one pacer per thread: the thread that calls wait() gets a 1 ns timer slack.

#include <cstdint>
#include <limits>

#include "protocol/pacer.h"

namespace vx {

class SteadyPacer final : public Pacer {
 public:
  void handedOver() override;
  void wait(int ms) override;
  // The local date and time with the local UTC offset attached (Qt::OffsetFromUTC). A block
  // transfer asks for it before every byte, so it costs no time-zone lookup: the offset is
  // looked up once per minute of the clock (offsets change only on whole minutes).
  QDateTime now() override;

 private:
  std::int64_t deadlineNs_ = -1;  // deadline of the previous pause; -1 before the first
  std::int64_t handOverNs_ = -1;  // the last hand-over; -1 before the first
  // How long before a deadline the sleep ends; follows the wake-up latency the pacer sees.
  std::int64_t marginNs_ = 100'000;
  std::int64_t offsetMinute_ =
      std::numeric_limits<std::int64_t>::min();  // minute since the epoch the offset was looked up for
  int offsetSeconds_ = 0;
};

}  // namespace vx
