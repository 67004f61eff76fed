#pragma once
// The time left of a run of transmission jobs (one job, or the jobs of a send-all), as the
// progress dialog shows it: the protocol's pauses still to come. A run is planned by running
// its jobs against a host that sends nothing on a clock that only adds up their pauses (the
// jobs alone say what they wait), and TimeLeft counts
// the pauses the jobs go through: it is the Pacer the jobs are given, passing every call on
// to the real clock. Window's thread only.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/config_model.h"
#include "protocol/pacer.h"

namespace vx {

// The pauses of each job, in milliseconds: what it takes on the line at the least.
std::int64_t settingsJobPausesMs();  // the job's first pause and 17 register writes
std::int64_t clockJobPausesMs();     // the job's first pause and 7 register writes
// The header-text and footer-text blocks of button 1..4 as they stand in `model`.
std::int64_t textJobPausesMs(const ConfigModel& model, int button);
std::int64_t logoJobPausesMs(std::size_t logoBytes);
// Settings, clock, the texts of buttons 1..4 and, given its size, the logo.
std::int64_t sendAllPausesMs(const ConfigModel& model, std::optional<std::size_t> logoBytes);

class TimeLeft final : public Pacer {
 public:
  explicit TimeLeft(Pacer& clock) : clock_(clock) {}

  // A run whose pauses add up to `plannedMs` starts; the previous one is forgotten.
  void begin(std::int64_t plannedMs);
  void end() { running_ = false; }
  bool running() const { return running_; }
  // The planned pauses the run has not gone through yet; 0 when none runs.
  std::int64_t remainingMs() const;

  void handedOver() override { clock_.handedOver(); }
  void wait(int ms) override;
  QDateTime now() override { return clock_.now(); }
  void portOpened() override { clock_.portOpened(); }
  int pauseOwedMs() const override { return clock_.pauseOwedMs(); }

 private:
  Pacer& clock_;
  bool running_ = false;
  std::int64_t plannedMs_ = 0;
  std::int64_t pausedMs_ = 0;
};

// Whole seconds rounded up, so that 0 means nothing is left.
std::int64_t timeLeftSeconds(std::int64_t ms);
// "Tempo restante: 1 min 12 s" ("Tempo restante: 45 s" under a minute), in timeLeftSeconds.
QString timeLeftText(std::int64_t ms);

}  // namespace vx
