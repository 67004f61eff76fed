#include "send/progress_view.h"

#include <algorithm>
#include <utility>

#include "model/shown_path.h"
#include "send/send_messages.h"

namespace vx {
namespace {

constexpr int kBarWidth = 24;

std::int64_t timeLeft(const PortStatus& s, const RunPlan& plan) {
  if (s.state == PortStatus::State::Done || s.state == PortStatus::State::Failed) return 0;
  return plan.timeLeftMs(s.writesDone, s.sinceLastWriteMs);
}

int percent(const PortStatus& s, const RunPlan& plan) {
  if (s.state == PortStatus::State::Done) return 100;
  if (plan.totalMs <= 0) return 0;
  const std::int64_t left = plan.timeLeftMs(s.writesDone, s.sinceLastWriteMs);
  return static_cast<int>(100 * (plan.totalMs - left) / plan.totalMs);
}

QString pluralBytes(std::uint64_t n) { return QStringLiteral("%1 byte%2").arg(n).arg(n == 1 ? "" : "s"); }

}  // namespace

QString formatDuration(std::int64_t ms) {
  const std::int64_t seconds = (std::max<std::int64_t>(ms, 0) + 999) / 1000;  // never "0:00" while time is left
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString jobLabel(const RunPlan& plan, int job) {
  if (job < 0 || job >= static_cast<int>(plan.jobs.size())) return QStringLiteral("opening");
  const JobPlan& j = plan.jobs[job];
  switch (j.kind) {
    case JobKind::Settings:
      return QStringLiteral("settings");
    case JobKind::Clock:
      return QStringLiteral("clock");
    case JobKind::Texts:
      return QStringLiteral("texts %1/%2").arg(j.button).arg(kPrinterButtons);
    case JobKind::Logo:
      break;
  }
  return QStringLiteral("logo");
}

QString progressLine(const QString& label, int labelWidth, const PortStatus& s, const RunPlan& plan) {
  const QString name = label.leftJustified(labelWidth);
  if (s.state == PortStatus::State::Failed)
    return sendMessage(SendMessages::kPortFailedOnBar).arg(name, jobLabel(plan, s.job), s.failure);
  const int pct = std::clamp(percent(s, plan), 0, 100);
  const int filled = pct * kBarWidth / 100;
  const QString bar = QString(filled, QLatin1Char('#')) + QString(kBarWidth - filled, QLatin1Char('-'));
  const QString job = s.state == PortStatus::State::Done ? QStringLiteral("done") : jobLabel(plan, s.job);
  return QStringLiteral("%1  %2 [%3] %4%  %5 left")
      .arg(name, job.leftJustified(9), bar)
      .arg(pct, 3)
      .arg(formatDuration(timeLeft(s, plan)));
}

QString summaryLine(const QString& label, const QString& device, const PortStatus& s, const RunPlan& plan) {
  QString who = label;
  if (device != label) who += QStringLiteral(" (%1)").arg(shownPath(device));
  if (s.state == PortStatus::State::Done) {
    return sendMessage(SendMessages::kPortSentAll)
        .arg(who)
        .arg(plan.transfers.size())
        .arg(pluralBytes(s.bytesWritten), formatDuration(s.elapsedMs));
  }
  return sendMessage(SendMessages::kPortFailedInJob)
      .arg(who, jobLabel(plan, s.job), s.failure)
      .arg(s.bytesWritten)
      .arg(pluralBytes(plan.stream().size()));
}

TerminalProgress::TerminalProgress(std::vector<QString> labels, int columns)
    : labels_(std::move(labels)), columns_(columns) {
  for (const QString& label : labels_) labelWidth_ = std::max(labelWidth_, static_cast<int>(label.size()));
}

QString TerminalProgress::redraw(const std::vector<PortStatus>& statuses,
                                 const std::vector<const RunPlan*>& plans) {
  QString screen;
  if (drawn_) screen += QStringLiteral("\x1b[%1A").arg(labels_.size());
  for (std::size_t i = 0; i < labels_.size() && i < statuses.size() && i < plans.size(); ++i) {
    QString line = progressLine(labels_[i], labelWidth_, statuses[i], *plans[i]);
    // A line that wraps would take two rows and throw the redrawing off by one.
    if (columns_ > 1 && line.size() >= columns_) line.truncate(columns_ - 1);
    screen += QStringLiteral("\r\x1b[2K") + line + QLatin1Char('\n');
  }
  screen.chop(1);
  drawn_ = true;
  return screen;
}

QStringList PlainProgress::update(const std::vector<QString>& labels, const std::vector<PortStatus>& statuses,
                                  const RunPlan& plan) {
  return update(labels, statuses, std::vector<const RunPlan*>(statuses.size(), &plan));
}

QStringList PlainProgress::update(const std::vector<QString>& labels, const std::vector<PortStatus>& statuses,
                                  const std::vector<const RunPlan*>& plans) {
  QStringList lines;
  for (std::size_t i = 0; i < statuses.size() && i < shown_.size() && i < plans.size(); ++i) {
    const PortStatus& s = statuses[i];
    const RunPlan& plan = *plans[i];
    if (shown_[i] == -3) continue;
    if (s.state == PortStatus::State::Done || s.state == PortStatus::State::Failed) {
      lines
          << (s.state == PortStatus::State::Done
                  ? sendMessage(SendMessages::kPortDone).arg(labels[i])
                  : sendMessage(SendMessages::kPortFailed).arg(labels[i], jobLabel(plan, s.job), s.failure));
      shown_[i] = -3;
    } else if (s.job >= 0 && s.job != shown_[i]) {
      lines << sendMessage(SendMessages::kPortProgress)
                   .arg(labels[i], jobLabel(plan, s.job), formatDuration(timeLeft(s, plan)));
      shown_[i] = s.job;
    }
  }
  return lines;
}

}  // namespace vx
