#include "protocol/time_left.h"

#include <algorithm>

#include "protocol/frames.h"

namespace vx {
namespace {

// The protocol's pauses, as the jobs keep them.
constexpr std::int64_t kRegisterPauseMs = 100;
constexpr std::int64_t kBlockLeadMs = 100;
constexpr std::int64_t kByteSpacingMs = 12;
constexpr int kSettingsRegisters = 17;
constexpr int kClockRegisters = 7;

std::int64_t blockPausesMs(std::size_t bytes, bool pauseAfterWord) {
  return kBlockLeadMs + (pauseAfterWord ? kBlockLeadMs : 0) + kByteSpacingMs * static_cast<std::int64_t>(bytes);
}

}  // namespace

std::int64_t settingsJobPausesMs() { return kRegisterPauseMs * (1 + kSettingsRegisters); }

std::int64_t clockJobPausesMs() { return kRegisterPauseMs * (1 + kClockRegisters); }

std::int64_t textJobPausesMs(const ConfigModel& model, int button) {
  // The cut mode takes one byte either way.
  return blockPausesMs(headerTextBlock(model, button).size(), false) +
         blockPausesMs(footerTextBlock(model, button, CutMode::Partial).size(), true);
}

std::int64_t logoJobPausesMs(std::size_t logoBytes) { return blockPausesMs(logoBytes, true); }

std::int64_t sendAllPausesMs(const ConfigModel& model, std::optional<std::size_t> logoBytes) {
  std::int64_t ms = settingsJobPausesMs() + clockJobPausesMs();
  for (int b = 1; b <= kPrinterButtons; ++b) ms += textJobPausesMs(model, b);
  if (logoBytes) ms += logoJobPausesMs(*logoBytes);
  return ms;
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
