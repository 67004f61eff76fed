#include "config/recovery_slot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

#include "config/config_file_names.h"
#include "config/config_io.h"
#include "model/shown_path.h"

namespace vx {
namespace {

constexpr QLatin1String kNoteFile("note.json");
constexpr QLatin1String kLockFile("lock");
constexpr QLatin1String kDamagedFolder("damaged");
constexpr qint64 kMaxNoteBytes = 64 * 1024;

QString copyName(int copy) { return QStringLiteral("copy-%1.cfg").arg(copy); }

}  // namespace

QString recoveryFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
      .filePath(QStringLiteral("recovery"));
}

RecoveryCopyError::RecoveryCopyError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

RecoverySlot::RecoverySlot(const QString& root, const QString& name)
    : root_(root), folder_(QDir(root).filePath(name)), lock_(QDir(folder_).filePath(kLockFile)) {
  // A window holds its slot for the whole run: only a lock whose owner is gone is stale,
  // however old it is.
  lock_.setStaleLockTime(0);
}

std::unique_ptr<RecoverySlot> RecoverySlot::create(const QString& root) {
  std::unique_ptr<RecoverySlot> slot(
      new RecoverySlot(root, QUuid::createUuid().toString(QUuid::WithoutBraces)));
  // Another start that finds the new folder before its lock exists takes it for an empty
  // slot left behind and removes it: make it again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!QDir().mkpath(slot->folder_)) continue;
    if (slot->lock_.tryLock(0)) return slot;
  }
  const QString reason =
      QCoreApplication::translate("Recovery", "a pasta não pode ser criada ou não aceita gravação");
  throw ConfigWriteError(slot->folder_, QCoreApplication::translate(
                                            "ConfigFiles", "Não foi possível gravar o arquivo %1: %2")
                                            .arg(shownPath(slot->folder_), reason));
}

std::vector<std::unique_ptr<RecoverySlot>> RecoverySlot::claimLeftBehind(const QString& root) {
  std::vector<std::unique_ptr<RecoverySlot>> claimed;
  const QStringList names = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& name : names) {
    if (name == kDamagedFolder) continue;
    std::unique_ptr<RecoverySlot> slot(new RecoverySlot(root, name));
    if (!slot->lock_.tryLock(0)) continue;  // a running window's, or not ours to touch
    if (slot->hasCopy()) claimed.push_back(std::move(slot));
    // A slot without a copy is removed as it is let go.
  }
  // A damaged note sorts first, as the oldest of times: it is told before anything is asked.
  const auto writtenAt = [](const std::unique_ptr<RecoverySlot>& s) {
    try {
      return s->note().time;
    } catch (const RecoveryCopyError&) {
      return QDateTime();
    }
  };
  std::stable_sort(claimed.begin(), claimed.end(), [&](const auto& a, const auto& b) {
    const QDateTime ta = writtenAt(a);
    const QDateTime tb = writtenAt(b);
    return !ta.isValid() ? tb.isValid() : tb.isValid() && ta > tb;
  });
  return claimed;
}

RecoverySlot::~RecoverySlot() {
  if (!lock_.isLocked()) return;
  const bool keep = hasCopy();
  if (!keep) removeCopyFiles(0);
  lock_.unlock();
  // Fails, harmlessly, while anything else is left in it.
  if (!keep) QDir().rmdir(folder_);
}

QString RecoverySlot::path(const QString& fileName) const { return QDir(folder_).filePath(fileName); }

bool RecoverySlot::hasCopy() const { return QFileInfo::exists(path(kNoteFile)); }

RecoveryNote RecoverySlot::note() const { return readNote().note; }

RecoverySlot::ReadNote RecoverySlot::readNote() const {
  const FileReadResult read = readFileBytes(path(kNoteFile), kMaxNoteBytes);
  if (!read.ok()) throw RecoveryCopyError(read.error);
  const QJsonObject o = QJsonDocument::fromJson(read.bytes).object();
  ReadNote read_note;
  RecoveryNote& note = read_note.note;
  note.fileName = o.value(QLatin1String("file")).toString();
  note.time = QDateTime::fromString(o.value(QLatin1String("time")).toString(), Qt::ISODateWithMs);
  const int copy = o.value(QLatin1String("copy")).toInt(0);
  if (!note.time.isValid() || copy < 1 || !o.value(QLatin1String("file")).isString()) {
    throw RecoveryCopyError(QCoreApplication::translate("Recovery", "a nota %1 da cópia está danificada")
                                .arg(shownPath(path(kNoteFile))));
  }
  read_note.copy = copy;
  return read_note;
}

QString RecoverySlot::configPath() const { return path(copyName(readNote().copy)); }

void RecoverySlot::write(const QByteArray& configText, const QByteArray& bitmap, const RecoveryNote& note) {
  // Each copy gets names of its own: the note, replaced last, is the only file a write
  // replaces, and a file system that flushes a file as it replaces another (ext4) flushes
  // only that small one.
  int next = 1;
  if (hasCopy()) {
    try {
      next = readNote().copy + 1;
    } catch (const RecoveryCopyError&) {
    }
  }
  const ConfigFileNames names = configFileNamesForSave(path(copyName(next)));
  savePair(names.cfg, names.bmp, configText, bitmap);
  QJsonObject o;
  o.insert(QLatin1String("copy"), next);
  o.insert(QLatin1String("file"), note.fileName);
  o.insert(QLatin1String("time"), note.time.toUTC().toString(Qt::ISODateWithMs));
  saveFileAtomically(path(kNoteFile), QJsonDocument(o).toJson(QJsonDocument::Compact));
  removeCopyFiles(next);
}

void RecoverySlot::removeCopy() {
  // The note first: a run stopped half-way leaves no note naming a removed pair.
  QFile::remove(path(kNoteFile));
  removeCopyFiles(0);
}

void RecoverySlot::removeCopyFiles(int keep) {
  const QStringList kept = {copyName(keep), configFileNamesForSave(copyName(keep)).bmp};
  for (const QString& name : QDir(folder_).entryList({QStringLiteral("copy-*")}, QDir::Files))
    if (!kept.contains(name)) QFile::remove(path(name));
}

QString RecoverySlot::setAside() {
  const QString damaged = QDir(root_).filePath(kDamagedFolder);
  QString target = QDir(damaged).filePath(QFileInfo(folder_).fileName());
  // The lock goes first: a folder with a file open in it cannot be moved on Windows.
  lock_.unlock();
  if (QDir().mkpath(damaged) && QDir().rename(folder_, target)) return target;
  return folder_;
}

}  // namespace vx
