#include "send/json_report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace vx {
namespace {

constexpr int kFormat = 1;

// Milliseconds are all the run knows; more digits would only be noise.
double roundedSeconds(double s) { return std::round(s * 1000.0) / 1000.0; }

QJsonObject jobObject(const JobReport& job) {
  const qsizetype space = job.key.indexOf(QLatin1Char(' '));
  QJsonObject o{{QStringLiteral("job"), space < 0 ? job.key : job.key.left(space)},
                {QStringLiteral("bytes"), static_cast<qint64>(job.bytes)},
                {QStringLiteral("seconds"), roundedSeconds(job.seconds)},
                {QStringLiteral("result"), QString::fromLatin1(resultName(job.result))}};
  if (space >= 0) o.insert(QStringLiteral("button"), job.key.mid(space + 1).toInt());
  if (job.result == JobReport::Result::Failed) o.insert(QStringLiteral("error"), job.error);
  return o;
}

}  // namespace

const char* resultName(JobReport::Result result) {
  switch (result) {
    case JobReport::Result::Sent:
      return "sent";
    case JobReport::Result::Skipped:
      return "skipped";
    case JobReport::Result::NotRun:
      return "not_run";
    case JobReport::Result::Failed:
      return "failed";
  }
  return "?";
}

QByteArray jsonReport(const SendReport& report) {
  int counts[4] = {0, 0, 0, 0};
  int failedPorts = 0, changedPorts = 0;
  qint64 bytesSent = 0;
  QJsonArray ports;
  for (const PortReport& p : report.ports) {
    QJsonArray jobs;
    bool changed = false;
    for (const JobReport& j : p.jobs) {
      ++counts[static_cast<int>(j.result)];
      changed = changed || j.result == JobReport::Result::Sent;
      jobs.append(jobObject(j));
    }
    failedPorts += p.failed ? 1 : 0;
    changedPorts += changed ? 1 : 0;
    bytesSent += static_cast<qint64>(p.bytesWritten);
    QJsonObject o{{QStringLiteral("port"), p.port},
                  {QStringLiteral("device"), p.device},
                  {QStringLiteral("ok"), !p.failed},
                  {QStringLiteral("changed"), changed},
                  {QStringLiteral("bytes_written"), static_cast<qint64>(p.bytesWritten)},
                  {QStringLiteral("seconds"), roundedSeconds(p.seconds)},
                  {QStringLiteral("jobs"), jobs}};
    if (p.failed) o.insert(QStringLiteral("error"), p.error);
    ports.append(o);
  }
  const bool ok = report.error.isEmpty() && failedPorts == 0;
  QJsonObject root{
      {QStringLiteral("format"), kFormat},
      {QStringLiteral("pair"), report.pair.isEmpty() ? QJsonValue() : QJsonValue(report.pair)},
      {QStringLiteral("if_changed"), report.ifChanged},
      {QStringLiteral("force"), report.force},
      {QStringLiteral("ports"), ports},
      {QStringLiteral("summary"),
       QJsonObject{{QStringLiteral("ok"), ok},
                   {QStringLiteral("changed"), changedPorts > 0},
                   {QStringLiteral("ports"), static_cast<int>(report.ports.size())},
                   {QStringLiteral("ports_failed"), failedPorts},
                   {QStringLiteral("ports_changed"), changedPorts},
                   {QStringLiteral("jobs_sent"), counts[static_cast<int>(JobReport::Result::Sent)]},
                   {QStringLiteral("jobs_skipped"), counts[static_cast<int>(JobReport::Result::Skipped)]},
                   {QStringLiteral("jobs_not_run"), counts[static_cast<int>(JobReport::Result::NotRun)]},
                   {QStringLiteral("jobs_failed"), counts[static_cast<int>(JobReport::Result::Failed)]},
                   {QStringLiteral("bytes_written"), bytesSent},
                   {QStringLiteral("seconds"), roundedSeconds(report.seconds)}}}};
  if (!report.error.isEmpty()) root.insert(QStringLiteral("error"), report.error);
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace vx
