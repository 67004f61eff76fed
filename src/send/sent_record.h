#pragma once
// What vorlandex-send last sent completely to one port, kept between runs so that
// --if-changed sends only the jobs whose bytes differ. The printer cannot be read back: the
// record knows only what this program put on that port's line to the end of a job, never
// what the printer holds (anything sent another way, or a swapped printer, needs --force).
//
// One JSON file per port as the operator names it, in $XDG_STATE_HOME/vorlandex/ (default
// ~/.local/state/vorlandex/, for root /var/lib/vorlandex/; on Windows the user's local
// application data); replaced atomically. Not thread-safe: one object per port, used by one
// thread at a time.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

#include "protocol/job_plan.h"

namespace vx {

// A job of a plan with the digest of the bytes it puts on the line.
struct JobDigest {
  QString key;        // "settings", "clock", "texts 1".."texts 4", "logo"
  QByteArray sha256;  // hex
  std::uint64_t bytes = 0;
};

// The key of a job as the record and the JSON report name it.
QString jobKey(const JobPlan& job);

// Every job of `plan`, in its order, with the digest of its writes' bytes.
std::vector<JobDigest> jobDigests(const RunPlan& plan);

// The folder of the records: $XDG_STATE_HOME/vorlandex when it is set (and absolute), else
// /var/lib/vorlandex for root and ~/.local/state/vorlandex for anyone else; on Windows
// %LOCALAPPDATA%\vorlandex. One file per platform: sent_record_dir_posix.cpp, _win32.cpp.
QString sentRecordDir();

// The name of the record file of `port` as given on the command line: its percent-encoding,
// which keeps every port name apart (a /dev/serial/by-id link's and "\\.\COM12" too), and
// ".json", after the platform's prefix.
QString sentRecordFileName(const QString& port);
// What starts a record file's name, one per platform: nothing on Linux; "port-" on Windows, since
// a file may not be called after a device there (COM1.json is the port COM1).
QString sentRecordFilePrefix();

class SentRecord;

// Which jobs of a port's run go: every one without a record; with one (--if-changed), those
// whose digest differs from it, and the clock, whose bytes are the time, only along with
// another job or when `clockNamed` (--only names it).
std::vector<bool> jobsToSend(const std::vector<JobDigest>& digests, const SentRecord* record,
                             bool clockNamed);

// The jobs to send that run exactly the jobs of `plan` marked in `send`.
JobsToSend selectionOf(const RunPlan& plan, const std::vector<bool>& send);

class SentRecord {
 public:
  // The record of `port` as given on the command line, in `dir`.
  SentRecord(const QString& port, const QString& dir = sentRecordDir());

  const QString& filePath() const { return path_; }

  // Reads the file; a missing one is an empty record. False, with `error`, for a file that
  // cannot be read or is not a record: the caller then sends everything.
  bool load(QString* error = nullptr);

  // The digest recorded for `key`, empty when the job was never recorded as sent.
  QByteArray sha256(const QString& key) const { return entries_.value(key); }

  // `digest` reached the end of its last frame with the line intact.
  void jobSent(const JobDigest& digest, const QString& device);
  // The job started and did not end: some of its bytes may have reached the printer, so
  // nothing about it is known any more.
  void jobBroken(const QString& key);

  // Writes the record atomically (the folder is made when missing). False, with `error`.
  bool save(QString* error = nullptr);

 private:
  QString port_;
  QString path_;
  QString device_;
  QHash<QString, QByteArray> entries_;
  QHash<QString, QString> sentAt_;  // ISO 8601 UTC, for people reading the file
};

}  // namespace vx
