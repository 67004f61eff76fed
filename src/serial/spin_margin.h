#pragma once
// How far ahead of a pause's deadline the port's writer stops sleeping and spins the rest, so that
// it writes at the deadline however late its timer wakes it: the margin starts at `first` and then
// follows about twice the lateness the writer sees, within [least, most]. The bounds are the
// platform's, for how late its timer wakes a sleeping thread and what a spin of that length costs
// with 12 ms between writes: posix/spin_margin.cpp, win32/pause_timer.cpp. Any thread.

#include <chrono>

namespace vx {

struct SpinMargin {
  std::chrono::microseconds least;
  std::chrono::microseconds most;
  std::chrono::microseconds first;
};

SpinMargin writerSpinMargin();

}  // namespace vx
