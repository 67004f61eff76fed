#pragma once
// The real clock of the transmission jobs. Each pause ends `ms` after the previous pause's
// deadline on absolute deadlines of the monotonic clock (deadline_sleep.h), the chain starting
// when the job opens the port (or at the first pause, or the last hand-over when no chain runs).
// A hand-over more than kCatchUpMs behind the chain (a long pump, a stalled machine) starts it
// again from the hand-over, so the window never runs far ahead of the line. The thread sleeps,
// never spins: the line's spacing is kept by the port's writer, and a hand-over that is a
// little late costs the line nothing once the writer trails the chain by that much.
// With a lead, every pause ends that much before its deadline: for a host whose port keeps
// each hand-over's pause itself (JobPort::sendAfterPause), so that the bytes wait in the
// port's queue and a late wake-up of this thread, up to the lead, never delays the line.
// Use one pacer per thread: the thread that calls wait() is readied for precise wake-ups
// (prepareThreadForDeadlines: on Linux a 1 ns timer slack).

#include <cstdint>
#include <limits>

#include "protocol/pacer.h"

namespace vx {

class SteadyPacer final : public Pacer {
 public:
  static constexpr int kCatchUpMs = 50;
  // The lead for a port that keeps the pauses: more than the window's thread is usually late
  // on a busy machine, little enough for the progress shown.
  static constexpr int kPortKeepsPausesLeadMs = 100;

  explicit SteadyPacer(int leadMs = 0) : leadNs_(static_cast<std::int64_t>(leadMs) * 1'000'000) {}

  void handedOver() override;
  void wait(int ms) override;
  // The local date and time with the local UTC offset attached (Qt::OffsetFromUTC). A block
  // transfer asks for it before every byte, so it costs no time-zone lookup: the offset is
  // looked up once per minute of the clock (offsets change only on whole minutes).
  QDateTime now() override;
  void portOpened() override;
  int pauseOwedMs() const override { return owedMs_; }

 private:
  const std::int64_t leadNs_;
  std::int64_t deadlineNs_ = -1;  // deadline of the previous pause; -1 before the first
  std::int64_t handOverNs_ = -1;  // the last hand-over; -1 before the first
  int owedMs_ = 0;
  std::int64_t offsetMinute_ =
      std::numeric_limits<std::int64_t>::min();  // minute since the epoch the offset was looked up for
  int offsetSeconds_ = 0;
};

}  // namespace vx
