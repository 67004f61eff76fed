#pragma once
// What the steady pacer needs of the operating system: sleeping until a moment of the monotonic
// clock (monotonic_clock.h) without ever waking before it, and the wall clock. One file per
// platform, chosen by CMake: deadline_sleep_posix.cpp (clock_nanosleep on absolute
// CLOCK_MONOTONIC deadlines, a 1 ns timer slack) and deadline_sleep_win32.cpp (the port writer's
// timer: high-resolution, else a 1 ms system timer period; one that fires early is set again for
// the rest). The thread sleeps, never spins; a wake-up may come a fraction of a millisecond late.
// Any thread; each thread sleeps on its own timer.

#include <cstdint>

namespace vx {

// Readies the calling thread for wake-ups close to their deadlines. Cheap after the first call.
void prepareThreadForDeadlines();

// Returns at or after `deadlineNs` on monotonicNs()'s clock; at once when it has passed.
void sleepUntilNs(std::int64_t deadlineNs);

// The wall clock: milliseconds since 1970-01-01 00:00 UTC.
std::int64_t wallClockMs();

}  // namespace vx
