#pragma once
// A recovery slot: the folder in which one window keeps a copy of its unsaved work (the
// configuration pair exactly as "Salvar" writes it, and a note of the file it came from and
// when), locked with a QLockFile for as long as that window runs. A slot whose lock no running
// program holds was left by a run that ended without closing its window (killed, crashed, the
// computer switched off), and its copy can be offered to the next start; a live window's slot
// is never claimed by another. A copy is replaced whole: the new pair is written beside the
// previous one and the note, written last, names it, so a run killed during a write leaves the
// previous copy as it was. One thread at a time per slot; failures are thrown.

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

namespace vx {

// Where this user's slots are: the folder "recovery" in the program's own data folder
// (~/.local/share/vorlandex on Linux, %LOCALAPPDATA%\vorlandex on Windows). Needs the
// application's name set.
QString recoveryFolder();

// What a copy says of itself.
struct RecoveryNote {
  QString fileName;  // the pair the window last opened or saved; empty when it had none
  QDateTime time;    // when the copy was written (UTC)

  bool operator==(const RecoveryNote&) const = default;
};

// A copy that cannot be used: its note or its pair cannot be read. message() says why, in the
// operator's language.
class RecoveryCopyError : public std::runtime_error {
 public:
  explicit RecoveryCopyError(const QString& message);
  const QString& message() const { return message_; }

 private:
  QString message_;
};

class RecoverySlot {
 public:
  // Makes a new slot of this run under `root` (created when missing) and locks it. Throws
  // ConfigWriteError when the folder cannot be made or written.
  static std::unique_ptr<RecoverySlot> create(const QString& root);

  // Locks every slot under `root` that holds a copy and whose lock no running program holds:
  // those whose note cannot be read first, then the newest copy first. Slots found unlocked without a copy (a
  // run killed before its first write) are removed; slots set aside (setAside) are not looked at. A missing
  // or unreadable `root` gives none.
  static std::vector<std::unique_ptr<RecoverySlot>> claimLeftBehind(const QString& root);

  // Unlocks. A slot without a copy is removed; one with a copy stays for a later start.
  ~RecoverySlot();
  RecoverySlot(const RecoverySlot&) = delete;
  RecoverySlot& operator=(const RecoverySlot&) = delete;

  const QString& folder() const { return folder_; }
  bool hasCopy() const;
  // The copy's note; throws RecoveryCopyError when it is unreadable.
  RecoveryNote note() const;
  // The configuration file of the copy, with its logo file beside it where "Abrir" looks for
  // it; throws RecoveryCopyError when the note is unreadable.
  QString configPath() const;

  // Replaces the copy with `configText` and `bitmap` (the bytes "Salvar" would write) and
  // `note`. Throws ConfigWriteError; the previous copy is then still whole.
  void write(const QByteArray& configText, const QByteArray& bitmap, const RecoveryNote& note);
  // Removes the copy (the work it held was saved or given up); the slot stays this run's.
  void removeCopy();
  // Unlocks the slot and moves it to the folder "damaged" under the root, where no start
  // looks for copies and the operator can still find it; returns where it now is (its old
  // place when it could not be moved). The slot is no longer this run's.
  QString setAside();

 private:
  RecoverySlot(const QString& root, const QString& name);
  QString path(const QString& fileName) const;
  // The note and the number of the copy it names; throws RecoveryCopyError.
  struct ReadNote {
    RecoveryNote note;
    int copy = 0;
  };
  ReadNote readNote() const;
  // Removes the files of every copy but number `keep` (0: all).
  void removeCopyFiles(int keep);

  QString root_;
  QString folder_;
  QLockFile lock_;
};

}  // namespace vx
