#pragma once
// A pacer on virtual time, for plans, the time left and tests: time moves only in wait() (and
// advance()), so jobs run instantly, and every hand-over is stamped with the virtual time it happened at.
// now() is the start date and time plus the virtual time elapsed. Same pause rule as the
// real pacer: a pause ends `ms` after the previous pause's end, or after the last hand-over
// less SteadyPacer::kCatchUpMs when that is later; portOpened() starts the chain.

#include <cstdint>
#include <vector>

#include "protocol/pacer.h"

namespace vx {

class VirtualPacer final : public Pacer {
 public:
  explicit VirtualPacer(const QDateTime& start = QDateTime(QDate(2026, 1, 1), QTime(0, 0)));

  void handedOver() override;
  void wait(int ms) override;
  QDateTime now() override;
  // Stamped as a hand-over, as the jobs' first stamp.
  void portOpened() override;
  // The pause owed before the next hand-over, but only with setPausesToPort(true): by
  // default a real port behind the jobs writes at once, so jobs run instantly there too.
  int pauseOwedMs() const override { return pausesToPort_ ? owedMs_ : 0; }
  void setPausesToPort(bool on) { pausesToPort_ = on; }

  void setStart(const QDateTime& start) { start_ = start; }
  // Lets virtual time pass outside a pause, as a slow message pump would.
  void advance(std::int64_t ms) { elapsedMs_ += ms; }
  std::int64_t elapsedMs() const { return elapsedMs_; }
  // The virtual time of every hand-over, in order.
  const std::vector<std::int64_t>& handOvers() const { return handOvers_; }
  // Forgets the records but the last hand-over, which the pause rule needs: a long session
  // would otherwise keep a stamp for every byte it ever sent.
  void forgetRecords();

 private:
  QDateTime start_;
  std::int64_t elapsedMs_ = 0;
  std::int64_t deadlineMs_ = -1;
  int owedMs_ = 0;
  bool pausesToPort_ = false;
  std::vector<std::int64_t> handOvers_;
};

}  // namespace vx
