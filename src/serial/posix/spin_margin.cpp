#include "serial/spin_margin.h"

namespace vx {

// An idle virtual machine wakes a sleeping thread 0.1 ms or more late, and with 12 ms measured
// from each write the lateness adds up over a block: the upper bound covers most such wake-ups
// while the spin stays near 1 % of a core with 12 ms between writes; the lower one covers the
// cost of reading the clock.
SpinMargin writerSpinMargin() {
  using std::chrono::microseconds;
  return {microseconds(20), microseconds(150), microseconds(100)};
}

}  // namespace vx
