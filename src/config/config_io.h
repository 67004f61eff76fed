#pragma once
// Reading and writing the configuration file pair on disk. Reads are bounded in size;
// writes go through temporary files so that a failed save never damages the files that
// were there before. Call from the window's thread; failures are thrown as ConfigWriteError
// or reported in FileReadResult, never ignored.

#include <QByteArray>
#include <QString>
#include <stdexcept>

#include "config/config_text.h"

namespace vx {

// A file that could not be created, written or put in place. message() names the file and
// the system's reason, in Portuguese like the program's other messages; what() is the same
// text in UTF-8.
class ConfigWriteError : public std::runtime_error {
 public:
  ConfigWriteError(const QString& path, const QString& message);
  const QString& path() const { return path_; }
  const QString& message() const { return message_; }

 private:
  QString path_;
  QString message_;
};

struct FileReadResult {
  enum class Status { kOk, kCannotRead, kTooLarge };
  Status status = Status::kCannotRead;
  QByteArray bytes;  // the whole file when status is kOk, empty otherwise
  QString error;     // what went wrong, naming the file; empty when kOk

  bool ok() const { return status == Status::kOk; }
};

// Reads the whole file at `path` when it holds at most `max_bytes` bytes. A larger file,
// or a device that keeps producing bytes, is refused after reading at most max_bytes + 1
// bytes, with error = fileTooLargeMessage(path).
FileReadResult readFileBytes(const QString& path, qint64 max_bytes = kMaxConfigFileBytes);

// Replaces the file at `path` with `bytes`: written to a temporary file beside it and
// renamed over the old one only when every byte is on disk. On failure the old file is
// untouched and ConfigWriteError is thrown.
void saveFileAtomically(const QString& path, const QByteArray& bytes);

// Saves the configuration file and the logo file together. Both are first written in
// full to temporary files; only then is the logo file put in place, then the
// configuration file. A failure while writing either leaves both old files as they were.
// The one remaining window is a failure of the second rename after the first one
// succeeded (the folder turning read-only or vanishing between two renames): the new logo
// file then stands beside the old configuration file, and the error names the
// configuration file. Two names for one file (as "sala.bmp" gives) are refused before
// anything is written, since the second file would overwrite the first.
void savePair(const QString& cfg_path, const QString& bmp_path, const QByteArray& cfg_bytes,
              const QByteArray& bmp_bytes);

}  // namespace vx
