#pragma once
// Real-time scheduling for the thread that times the writes to the printer: SCHED_FIFO where
// the process may set it itself (root, CAP_SYS_NICE, or an RLIMIT_RTPRIO allowance), otherwise
// through RealtimeKit on the system bus where a desktop runs it. Anything else is a silent
// fallback: the thread keeps the scheduling it had. Threads and processes created later never
// inherit it (SCHED_RESET_ON_FORK). A thread raised this way must never spin for long: it sleeps
// until just before each deadline.

namespace vx {

// Low among real-time threads (sound servers use 5 to 20) and above every normal one.
inline constexpr int kRealtimePriority = 10;

// Raises the calling thread. True when it now runs at a real-time priority. RealtimeKit is
// asked only while a QCoreApplication exists, at most a few hundred milliseconds, and not again
// in this process once it has said no or was not there.
bool makeThisThreadRealtime();

}  // namespace vx
