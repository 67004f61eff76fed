#pragma once
// Keeps one window's recovery copy up to date on a thread of its own, so that no write runs on
// the window's thread: the window hands over what it holds (the configuration text, made on its
// thread, and its logo picture, which shares its data until either side changes it) and goes
// on; the picture's bytes are made and both files written here. The slot is made at the first
// write, or is one a start adopted with its copy. Call every member from one thread (the
// window's); `onFailure` is called on the writer's own thread.

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QThreadPool>
#include <QWaitCondition>
#include <functional>
#include <memory>
#include <optional>

#include "config/recovery_slot.h"
#include "logo/source_picture.h"

namespace vx {

// What a window holds, as a copy of its unsaved work.
struct RecoverySnapshot {
  QByteArray configText;  // the configuration file's bytes, as "Salvar" writes them
  SourcePicture picture;  // the logo file is its bitmapFileBytes()
  RecoveryNote note;
};

class RecoveryWriter {
 public:
  // `failure` is the text of a write that did not succeed (ConfigWriteError's message).
  using FailureHandler = std::function<void(const QString& failure)>;

  // Slots are made under `root`; `adopted`, when given, is the slot written first.
  RecoveryWriter(const QString& root, std::unique_ptr<RecoverySlot> adopted, FailureHandler onFailure);
  // Waits for a write under way; the copy stays for a later start unless it was discarded.
  ~RecoveryWriter();

  // Writes `snapshot` as the copy; returns at once. A snapshot still waiting for its turn is
  // replaced by a newer one, so a slow disk never queues more than one.
  void write(RecoverySnapshot snapshot);
  // Forgets a waiting snapshot, waits for a write under way, then removes the copy.
  void discard();
  // Returns once every snapshot handed over has been written (or has failed).
  void waitForWrites();

 private:
  void writePending();
  // picture.bitmapFileBytes(), kept from the last copy while the picture is the same.
  QByteArray bitmapOf(const SourcePicture& picture);

  QString root_;
  FailureHandler onFailure_;
  std::unique_ptr<RecoverySlot> slot_;  // only the writer's thread touches it while one runs
  QMutex mutex_;                        // guards pending_ and scheduled_
  QWaitCondition idle_;                 // scheduled_ went false
  std::optional<RecoverySnapshot> pending_;
  bool scheduled_ = false;  // a task of the pool will write pending_
  // The writer's thread's own.
  QByteArray bitmap_;
  qint64 bitmapKey_ = 0;
  bool bitmapCompact_ = false;
  QThreadPool pool_;
};

}  // namespace vx
