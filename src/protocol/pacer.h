#pragma once
// The clock of the transmission jobs: the pauses between hand-overs and the time of day.
// Pauses follow one another on a chain of deadlines that starts when the job opens the
// port, so a long job does not drift and a hand-over that came late does not push the
// rest of the job back. The spacing the printer needs is not kept here but where the bytes
// are written: every hand-over carries the pause that precedes it (pauseOwedMs) and the
// port keeps it after its previous write. Used on the window's thread only.

#include <QDateTime>

namespace vx {

class Pacer {
 public:
  virtual ~Pacer() = default;
  // Called right after bytes were handed to the port.
  virtual void handedOver() = 0;
  // Blocks until `ms` milliseconds after the end of the previous pause, or after the last
  // hand-over when that came much later (the real clock allows 50 ms of lateness before
  // it starts the chain again from the hand-over).
  virtual void wait(int ms) = 0;
  // The local date and time.
  virtual QDateTime now() = 0;
  // The port has just been opened: the job's first pause counts from now.
  virtual void portOpened() { handedOver(); }
  // The protocol's pause before the next hand-over: the milliseconds of wait() since the
  // last hand-over (or portOpened). A pacer that does not count them answers 0.
  virtual int pauseOwedMs() const { return 0; }
};

}  // namespace vx
