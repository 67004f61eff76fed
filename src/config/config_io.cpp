#include "config_io.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "config/disk_file.h"

namespace vx {
namespace {

QString readFailure(const QString& path, const QString& reason) {
  return QCoreApplication::translate("ConfigFiles", "Não foi possível ler o arquivo \"%1\": %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

QString writeFailure(const QString& path, const QString& reason) {
  return QCoreApplication::translate("ConfigFiles", "Não foi possível gravar o arquivo \"%1\": %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

[[noreturn]] void throwWriteError(const QString& path, const QString& reason) {
  throw ConfigWriteError(path, writeFailure(path, reason));
}

// Opens `file` and puts all of `bytes` on disk in its temporary file; nothing is committed.
// The data is flushed and synced here rather than in commit(), so that a full disk shows
// up before either file of a pair is put in place.
void writeTemporary(QSaveFile& file, const QByteArray& bytes) {
  if (!file.open(QIODevice::WriteOnly)) throwWriteError(file.fileName(), file.errorString());
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    throwWriteError(file.fileName(), reason);
  }
  QString reason;
  if (!syncToDisk(file, &reason)) {
    file.cancelWriting();
    throwWriteError(file.fileName(), reason);
  }
}

void commit(QSaveFile& file) {
  if (!file.commit()) throwWriteError(file.fileName(), file.errorString());
}

}  // namespace

ConfigWriteError::ConfigWriteError(const QString& path, const QString& message)
    : std::runtime_error(message.toStdString()), path_(path), message_(message) {}

FileReadResult readFileBytes(const QString& path, qint64 max_bytes) {
  FileReadResult result;
  QFile file(path);
  if (QFileInfo(path).isDir()) {
    result.error = readFailure(path, QCoreApplication::translate("ConfigFiles", "é uma pasta"));
    return result;
  }
  // Opening a named pipe waits for a writer and would freeze the caller: a pipe or a
  // socket holds no file to read.
  if (isPipeOrSocket(path)) {
    result.error = readFailure(path, QCoreApplication::translate("ConfigFiles", "não é um arquivo"));
    return result;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    result.error = readFailure(path, file.errorString());
    return result;
  }
  // The size is only a hint (devices and pipes report 0); the read below is bounded too.
  if (file.size() > max_bytes) {
    result.status = FileReadResult::Status::kTooLarge;
    result.error = fileTooLargeMessage(path);
    return result;
  }
  QByteArray bytes;
  for (;;) {
    const qint64 room = max_bytes + 1 - bytes.size();
    if (room <= 0) break;
    const QByteArray chunk = file.read(std::min<qint64>(room, 1 << 20));
    if (chunk.isEmpty()) {
      if (file.error() != QFileDevice::NoError) {
        result.error = readFailure(path, file.errorString());
        return result;
      }
      break;
    }
    bytes += chunk;
  }
  if (bytes.size() > max_bytes) {
    result.status = FileReadResult::Status::kTooLarge;
    result.error = fileTooLargeMessage(path);
    return result;
  }
  result.status = FileReadResult::Status::kOk;
  result.bytes = std::move(bytes);
  return result;
}

void saveFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  writeTemporary(file, bytes);
  commit(file);
}

void savePair(const QString& cfg_path, const QString& bmp_path, const QByteArray& cfg_bytes,
              const QByteArray& bmp_bytes) {
  if (QFileInfo(cfg_path).absoluteFilePath() == QFileInfo(bmp_path).absoluteFilePath()) {
    throw ConfigWriteError(
        cfg_path, writeFailure(cfg_path, QCoreApplication::translate("ConfigFiles", "o arquivo de configuração e o arquivo do logotipo "
                                                        "teriam o mesmo nome; escolha outro nome")));
  }
  // A QSaveFile that is destroyed without commit() removes its temporary file and leaves
  // the old file alone, so every throw below undoes whatever is not yet committed.
  QSaveFile bmp(bmp_path);
  QSaveFile cfg(cfg_path);
  writeTemporary(bmp, bmp_bytes);
  writeTemporary(cfg, cfg_bytes);
  commit(bmp);
  commit(cfg);
}

}  // namespace vx
