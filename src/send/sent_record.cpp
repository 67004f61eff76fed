#include "send/sent_record.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUrl>
#include <memory>

#include "model/shown_path.h"
#include "send/send_messages.h"

namespace vx {
namespace {

constexpr int kFormat = 1;

}  // namespace

QString jobKey(const JobPlan& job) {
  switch (job.kind) {
    case JobKind::Settings:
      return QStringLiteral("settings");
    case JobKind::Clock:
      return QStringLiteral("clock");
    case JobKind::Texts:
      return QStringLiteral("texts %1").arg(job.button);
    case JobKind::Logo:
      break;
  }
  return QStringLiteral("logo");
}

std::vector<JobDigest> jobDigests(const RunPlan& plan) {
  std::vector<std::unique_ptr<QCryptographicHash>> hashes;
  std::vector<JobDigest> digests;
  for (const JobPlan& job : plan.jobs) {
    hashes.push_back(std::make_unique<QCryptographicHash>(QCryptographicHash::Sha256));
    digests.push_back({jobKey(job), {}, 0});
  }
  for (const PlannedWrite& w : plan.writes) {
    if (w.job < 0 || w.job >= static_cast<int>(digests.size())) continue;
    hashes[w.job]->addData(QByteArrayView(reinterpret_cast<const char*>(w.bytes.data()),
                                          static_cast<qsizetype>(w.bytes.size())));
    digests[w.job].bytes += w.bytes.size();
  }
  for (std::size_t i = 0; i < digests.size(); ++i) digests[i].sha256 = hashes[i]->result().toHex();
  return digests;
}

std::vector<bool> jobsToSend(const std::vector<JobDigest>& digests, const SentRecord* record,
                             bool clockNamed) {
  std::vector<bool> send(digests.size(), true);
  if (!record) return send;
  bool other = false;
  int clock = -1;
  for (std::size_t i = 0; i < digests.size(); ++i) {
    if (digests[i].key == QLatin1String("clock")) {
      clock = static_cast<int>(i);
      continue;
    }
    send[i] = record->sha256(digests[i].key) != digests[i].sha256;
    other = other || send[i];
  }
  if (clock >= 0) send[clock] = other || clockNamed;
  return send;
}

JobsToSend selectionOf(const RunPlan& plan, const std::vector<bool>& send) {
  JobsToSend s{false, false, false, false};
  s.textButtons = 0;
  for (std::size_t i = 0; i < plan.jobs.size() && i < send.size(); ++i) {
    if (!send[i]) continue;
    switch (plan.jobs[i].kind) {
      case JobKind::Settings:
        s.settings = true;
        break;
      case JobKind::Clock:
        s.clock = true;
        break;
      case JobKind::Texts:
        s.texts = true;
        s.textButtons |= static_cast<std::uint8_t>(1u << (plan.jobs[i].button - 1));
        break;
      case JobKind::Logo:
        s.logo = true;
        break;
    }
  }
  if (!s.texts) s.textButtons = 0x0F;
  return s;
}

QString sentRecordFileName(const QString& port) {
  return sentRecordFilePrefix() + QString::fromLatin1(QUrl::toPercentEncoding(port, "-_.")) +
         QStringLiteral(".json");
}

SentRecord::SentRecord(const QString& port, const QString& dir) : port_(port) {
  path_ = dir + QLatin1Char('/') + sentRecordFileName(port);
}

bool SentRecord::load(QString* error) {
  entries_.clear();
  sentAt_.clear();
  QFile file(path_);
  if (!file.exists()) return true;
  const auto refuse = [&](const QString& why) {
    if (error) *error = QStringLiteral("%1: %2").arg(shownPath(path_), why);
    entries_.clear();
    sentAt_.clear();
    return false;
  };
  if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString());
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(file.read(1 << 20), &parseError);
  if (!doc.isObject()) return refuse(sendMessage(SendMessages::kNotARecord).arg(parseError.errorString()));
  const QJsonObject root = doc.object();
  if (root.value(QStringLiteral("format")).toInt() != kFormat)
    return refuse(sendMessage(SendMessages::kRecordFormat));
  const QJsonObject jobs = root.value(QStringLiteral("jobs")).toObject();
  for (auto it = jobs.begin(); it != jobs.end(); ++it) {
    const QJsonObject job = it.value().toObject();
    const QByteArray sha = job.value(QStringLiteral("sha256")).toString().toLatin1();
    if (sha.size() != 64) return refuse(sendMessage(SendMessages::kRecordWithoutDigest));
    entries_.insert(it.key(), sha);
    sentAt_.insert(it.key(), job.value(QStringLiteral("sent")).toString());
  }
  device_ = root.value(QStringLiteral("device")).toString();
  return true;
}

void SentRecord::jobSent(const JobDigest& digest, const QString& device) {
  entries_.insert(digest.key, digest.sha256);
  sentAt_.insert(digest.key, QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
  device_ = device;
}

void SentRecord::jobBroken(const QString& key) {
  entries_.remove(key);
  sentAt_.remove(key);
}

bool SentRecord::save(QString* error) {
  QJsonObject jobs;
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    jobs.insert(it.key(), QJsonObject{{QStringLiteral("sha256"), QString::fromLatin1(it.value())},
                                      {QStringLiteral("sent"), sentAt_.value(it.key())}});
  const QJsonObject root{{QStringLiteral("format"), kFormat},
                         {QStringLiteral("port"), port_},
                         {QStringLiteral("device"), device_},
                         {QStringLiteral("jobs"), jobs}};
  const QByteArray bytes = QJsonDocument(root).toJson();
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    if (error) *error = sendMessage(SendMessages::kCannotWrite).arg(shownPath(path_), file.errorString());
    return false;
  }
  return true;
}

}  // namespace vx
