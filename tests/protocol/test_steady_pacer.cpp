// Real-time checks of the steady pacer, kept short (well under a second).
#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform.h"
#include "protocol/steady_pacer.h"
#include "protocol/virtual_pacer.h"

namespace vx {
namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

TEST(SteadyPacer, FirstPauseCountsFromTheCall) {
  SteadyPacer pacer;
  const auto start = Clock::now();
  pacer.wait(20);
  EXPECT_GE(msSince(start), 20.0);
}

TEST(SteadyPacer, LateHandOversDoNotPushTheJobBackButALongStallStartsAgain) {
  // The spacing on the line is the port's business; the pacer keeps the job on its chain of
  // deadlines, so a step that came late is made up for by the following pauses.
  SteadyPacer pacer;
  pacer.portOpened();
  const auto start = Clock::now();
  for (int i = 0; i < 20; ++i) {
    if (i == 10)
      std::this_thread::sleep_for(std::chrono::milliseconds(30));  // a slow step before a hand-over
    pacer.handedOver();
    pacer.wait(5);
  }
  double elapsed = msSince(start);
  EXPECT_GE(elapsed, 100.0);
  EXPECT_LT(elapsed, 100.0 + 20.0);

  // A stall longer than the catch-up: the chain starts again from the late hand-over, less
  // the catch-up, so the window never runs far ahead of what the port can write.
  std::this_thread::sleep_for(std::chrono::milliseconds(SteadyPacer::kCatchUpMs + 70));
  pacer.handedOver();
  const auto late = Clock::now();
  pacer.wait(SteadyPacer::kCatchUpMs + 20);
  elapsed = msSince(late);
  EXPECT_GE(elapsed, 19.0);
  EXPECT_LT(elapsed, 20.0 + 25.0);
}

TEST(SteadyPacer, PauseAfterLongSilenceDoesNotAddToIt) {
  // The spacing the printer needs has passed already while nothing was sent.
  SteadyPacer pacer;
  pacer.handedOver();
  pacer.wait(2);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const auto start = Clock::now();
  pacer.wait(20);
  EXPECT_LT(msSince(start), 10.0);
}

TEST(SteadyPacer, SleepsRatherThanSpins) {
  // A pacer that spun would take the whole span, or well over half of it on a busy computer;
  // one that sleeps takes a few per cent, known to within the system's accounting step.
  SteadyPacer pacer;
  const double cpu0 = test::threadCpuMs();
  const auto start = Clock::now();
  for (int i = 0; i < 20; ++i) {
    pacer.handedOver();
    pacer.wait(12);
  }
  const double cpuMs = test::threadCpuMs() - cpu0;
  EXPECT_LT(cpuMs, 0.25 * msSince(start) + test::threadCpuStepMs());
}

TEST(SteadyPacer, NowIsTheLocalDateAndTime) {
  // A zone three hours behind UTC, without daylight saving time, where the TZ variable sets the
  // zone; on Windows the system's own.
  const bool chosenZone = test::timeZoneFromTzVariable();
  const QByteArray saved = qgetenv("TZ");
  if (chosenZone) {
    qputenv("TZ", "BRT3");
    tzset();
  }
  SteadyPacer pacer;
  const QDateTime reading = pacer.now();
  const QDateTime system = QDateTime::currentDateTime();
  EXPECT_EQ(reading.offsetFromUtc(), chosenZone ? -3 * 3600 : system.offsetFromUtc());
  EXPECT_LT(std::abs(reading.msecsTo(system)), 1000);
  // The same wall-clock date and time as the system's local reading.
  const QDateTime readingFields(reading.date(), reading.time(), Qt::UTC);
  const QDateTime systemFields(system.date(), system.time(), Qt::UTC);
  EXPECT_LT(std::abs(readingFields.msecsTo(systemFields)), 1000);
  if (!chosenZone) return;
  if (saved.isNull()) {
    qunsetenv("TZ");
  } else {
    qputenv("TZ", saved);
  }
  tzset();
}

TEST(VirtualPacer, FollowsTheSamePauseRule) {
  VirtualPacer pacer(QDateTime(QDate(2026, 1, 1), QTime(12, 0)));
  pacer.wait(100);
  EXPECT_EQ(pacer.elapsedMs(), 100);
  pacer.handedOver();
  pacer.advance(30);  // slow work after the hand-over
  pacer.wait(12);
  EXPECT_EQ(pacer.elapsedMs(), 130);  // 12 ms after the hand-over had passed already
  pacer.advance(5);
  pacer.handedOver();  // 35 ms behind the chain: made up for
  pacer.wait(12);
  EXPECT_EQ(pacer.elapsedMs(), 135);
  pacer.advance(SteadyPacer::kCatchUpMs + 20);
  pacer.handedOver();  // far behind: the chain starts again, less the catch-up
  pacer.wait(SteadyPacer::kCatchUpMs + 12);
  EXPECT_EQ(pacer.elapsedMs(), 135 + SteadyPacer::kCatchUpMs + 20 + 12);
  EXPECT_EQ(pacer.handOvers(), (std::vector<std::int64_t>{100, 135, 135 + SteadyPacer::kCatchUpMs + 20}));
  EXPECT_EQ(pacer.now(), QDateTime(QDate(2026, 1, 1), QTime(12, 0)).addMSecs(pacer.elapsedMs()));
}

}  // namespace
}  // namespace vx
