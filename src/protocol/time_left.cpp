#include "protocol/time_left.h"

#include <algorithm>

#include "protocol/transmission.h"
#include "protocol/virtual_pacer.h"

namespace vx {
namespace {

// The jobs themselves say what their pauses are: a job run against a host that sends
// nothing, on virtual time (which moves only by the pauses), so that the time left never
// disagrees with what the jobs wait.
class SilentHost final : public JobHost {
 public:
  void OpenPort() override {}
  bool SendData(const std::uint8_t*, std::uint16_t) override { return true; }
  void ClosePort() override {}
  void showProgress() override {}
  void hideProgress() override {}
  void setProgressMax(int) override {}
  void setProgressPosition(int) override {}
  void processMessages() override {}
};

template <typename Job>
std::int64_t pausesOf(Job job) {
  SilentHost host;
  VirtualPacer pacer;
  job(host, pacer);
  return pacer.elapsedMs();
}

}  // namespace

std::int64_t settingsJobPausesMs() {
  return pausesOf([](JobHost& host, Pacer& pacer) {
    ConfigModel model;
    settingsJob(host, pacer, model, [] { return std::uint8_t{0}; });
  });
}

std::int64_t clockJobPausesMs() {
  return pausesOf([](JobHost& host, Pacer& pacer) {
    ConfigModel model;
    clockJob(host, pacer, model);
  });
}

std::int64_t textJobPausesMs(const ConfigModel& model, int button) {
  return pausesOf([&](JobHost& host, Pacer& pacer) {
    ConfigModel copy = model;
    copy.botao_atual = button;
    // The cut mode takes one byte either way.
    textJob(host, pacer, copy, [] { return CutMode::Partial; });
  });
}

std::int64_t logoJobPausesMs(std::size_t logoBytes) {
  return pausesOf([&](JobHost& host, Pacer& pacer) {
    ConfigModel model;
    logoJob(host, pacer, model, ByteList(logoBytes));
  });
}

std::int64_t sendAllPausesMs(const ConfigModel& model, std::optional<std::size_t> logoBytes) {
  return pausesOf([&](JobHost& host, Pacer& pacer) {
    ConfigModel copy = model;
    std::function<ByteList()> logo;
    if (logoBytes) logo = [n = *logoBytes] { return ByteList(n); };
    sendAllJobs(host, pacer, copy, [] { return std::uint8_t{0}; }, [] { return CutMode::Partial; }, logo);
  });
}

void TimeLeft::begin(std::int64_t plannedMs) {
  running_ = true;
  plannedMs_ = plannedMs;
  pausedMs_ = 0;
}

std::int64_t TimeLeft::remainingMs() const {
  return running_ ? std::max<std::int64_t>(0, plannedMs_ - pausedMs_) : 0;
}

void TimeLeft::wait(int ms) {
  // Counted when the pause starts: the time left is read between pauses, where the one just
  // begun is behind it.
  pausedMs_ += ms;
  clock_.wait(ms);
}

std::int64_t timeLeftSeconds(std::int64_t ms) { return (std::max<std::int64_t>(0, ms) + 999) / 1000; }

QString timeLeftText(std::int64_t ms) {
  const std::int64_t seconds = timeLeftSeconds(ms);
  if (seconds < 60) return QStringLiteral("Tempo restante: %1 s").arg(seconds);
  return QStringLiteral("Tempo restante: %1 min %2 s").arg(seconds / 60).arg(seconds % 60);
}

}  // namespace vx
