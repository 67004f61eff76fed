#include "config/recovery_writer.h"

#include <QMutexLocker>

#include "config/config_io.h"

namespace vx {

RecoveryWriter::RecoveryWriter(const QString& root, std::unique_ptr<RecoverySlot> adopted,
                               FailureHandler onFailure)
    : root_(root), onFailure_(std::move(onFailure)), slot_(std::move(adopted)) {
  pool_.setMaxThreadCount(1);
}

RecoveryWriter::~RecoveryWriter() { waitForWrites(); }

void RecoveryWriter::write(RecoverySnapshot snapshot) {
  QMutexLocker lock(&mutex_);
  pending_ = std::move(snapshot);
  if (scheduled_) return;
  scheduled_ = true;
  pool_.start([this] { writePending(); });
}

void RecoveryWriter::writePending() {
  for (;;) {
    std::optional<RecoverySnapshot> snapshot;
    {
      QMutexLocker lock(&mutex_);
      if (!pending_) {
        scheduled_ = false;
        idle_.wakeAll();
        return;
      }
      snapshot.swap(pending_);
    }
    try {
      if (!slot_) slot_ = RecoverySlot::create(root_);
      slot_->write(snapshot->configText, bitmapOf(snapshot->picture), snapshot->note);
    } catch (const ConfigWriteError& e) {
      if (onFailure_) onFailure_(e.message());
    }
  }
}

QByteArray RecoveryWriter::bitmapOf(const SourcePicture& picture) {
  // A file's own bytes cost nothing; a picture that must be encoded is encoded once, not at
  // every copy. A picture's cache key changes with every change to it.
  if (!picture.fileBytes.isEmpty()) return picture.fileBytes;
  if (bitmap_.isEmpty() || picture.image.cacheKey() != bitmapKey_ ||
      picture.saveAsCompactBitmap != bitmapCompact_) {
    bitmap_ = picture.bitmapFileBytes();
    bitmapKey_ = picture.image.cacheKey();
    bitmapCompact_ = picture.saveAsCompactBitmap;
  }
  return bitmap_;
}

void RecoveryWriter::discard() {
  {
    QMutexLocker lock(&mutex_);
    pending_.reset();
  }
  waitForWrites();
  if (slot_) slot_->removeCopy();
}

void RecoveryWriter::waitForWrites() {
  // Not the pool's waitForDone(), which also ends its thread: the next copy would start one.
  QMutexLocker lock(&mutex_);
  while (scheduled_) idle_.wait(&mutex_);
}

}  // namespace vx
