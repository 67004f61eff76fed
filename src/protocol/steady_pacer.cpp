#include "protocol/steady_pacer.h"

#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

namespace vx {

namespace {

// Bounds of the spin before a deadline. The upper bound keeps the pacer's CPU share
// under 2 % even for 12 ms pauses; the lower one covers the cost of a clock read.
constexpr std::int64_t kMinMarginNs = 20'000;
constexpr std::int64_t kMaxMarginNs = 200'000;

std::int64_t monotonicNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Tells the core this is a busy-wait loop (saves power, frees the sibling hyper-thread).
inline void cpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

void sleepUntil(std::int64_t ns) {
  const timespec t{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

// The kernel may defer a timer wake-up by the thread's timer slack (50 us by default),
// which over a thousand 12 ms pauses would add up to a visible delay.
void lowerTimerSlackOnce() {
  thread_local bool lowered = false;
  if (lowered) return;
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  lowered = true;
}

}  // namespace

void SteadyPacer::handedOver() { handOverNs_ = monotonicNs(); }

void SteadyPacer::wait(int ms) {
  lowerTimerSlackOnce();
  std::int64_t from = std::max(deadlineNs_, handOverNs_);
  if (from < 0) from = monotonicNs();
  const std::int64_t deadline = from + static_cast<std::int64_t>(ms) * 1'000'000;
  deadlineNs_ = deadline;

  std::int64_t now = monotonicNs();
  const std::int64_t wake = deadline - marginNs_;
  if (now < wake) {
    sleepUntil(wake);
    now = monotonicNs();
    // Aim the next wake-up at about twice the latency just seen, within bounds, so most
    // wake-ups land just before their deadline whatever the machine's load.
    const std::int64_t latency = now - wake;
    const std::int64_t wanted = std::clamp(2 * latency, kMinMarginNs, kMaxMarginNs);
    marginNs_ += (wanted - marginNs_) / 4;
  }
  // The last stretch is spun, not yielded: on a busy machine sched_yield() hands the CPU
  // to another task for a whole time slice, which comes back as milliseconds of lateness.
  while (now < deadline) {
    cpuRelax();
    now = monotonicNs();
  }
}

QDateTime SteadyPacer::now() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  const std::int64_t ms = static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
  const std::int64_t minute = ms >= 0 ? ms / 60'000 : (ms - 59'999) / 60'000;
  if (minute != offsetMinute_) {
    offsetMinute_ = minute;
    offsetSeconds_ = QDateTime::fromMSecsSinceEpoch(minute * 60'000).offsetFromUtc();
  }
  return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, offsetSeconds_);
}

}  // namespace vx
