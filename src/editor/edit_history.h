#pragma once
// The window's one history of edits: each step holds what the pair held before and after one
// operator action, and where it was made. Typing in one field, or holding an arrow on one
// control, is one step until the operator leaves the control (seal()) or pauses for
// kPauseMs. The clean mark follows saving and opening: the pair holds what was last saved or
// opened exactly when the history stands at the mark. Memory is bounded: at most kStepLimit
// steps, and the pictures the steps hold (each distinct picture counted once) within
// kPictureBudget bytes; the oldest steps go first, the newest always stays.
// Not Qt's QUndoStack: that one cannot drop its oldest steps for memory once it holds any.
// Window thread only.

#include <cstdint>
#include <deque>
#include <functional>
#include <unordered_map>

#include "editor/edit_place.h"
#include "editor/pair_state.h"

namespace vx {

struct EditStep {
  EditPlace place;
  PairState before;
  PairState after;
  std::int64_t lastEdit_ms = 0;  // when the step last grew
  bool sealed = false;           // the next edit starts a new step, even at the same control
};

class EditHistory {
 public:
  static constexpr int kStepLimit = 200;
  static constexpr std::int64_t kPictureBudget = std::int64_t{64} * 1024 * 1024;
  static constexpr std::int64_t kPauseMs = 1000;

  // `now_ms` tells the time for the pause (a steady clock in milliseconds); by default the
  // process's steady clock.
  explicit EditHistory(std::function<std::int64_t()> now_ms = {});

  // Forgets every step and sets the clean mark: a pair was opened, or the window started.
  void clear();

  // An edit at `place` turned `before` into `after`. Nothing changed: nothing is recorded.
  // Continues the newest step when it is at the same place, open and recent; a step that
  // comes back to where it began is dropped. Returns whether the history changed.
  bool record(const EditPlace& place, const PairState& before, const PairState& after);

  // Ends the newest step: the next edit starts a new one.
  void seal();

  // The step to undo (its `before` is what the pair is to hold), or null when there is none.
  // Moves back over it.
  const EditStep* undo();
  // The step to redo (its `after`), or null; moves forward over it.
  const EditStep* redo();

  bool canUndo() const { return index_ > 0; }
  bool canRedo() const { return index_ < count(); }
  // The step undo() or redo() would take; null when there is none.
  const EditStep* nextUndo() const { return canUndo() ? &steps_[index_ - 1] : nullptr; }
  const EditStep* nextRedo() const { return canRedo() ? &steps_[index_] : nullptr; }

  // The pair holds what was last saved or opened.
  void setClean();
  // No state of the history is what was last saved: work recovered from a copy a killed run left.
  void forgetClean() { clean_ = -1; }
  bool isClean() const { return clean_ == index_; }

  int count() const { return static_cast<int>(steps_.size()); }
  int index() const { return index_; }  // steps done, 0..count()
  // The bytes of the distinct pictures the steps hold.
  std::int64_t pictureBytes() const { return pictureBytes_; }

 private:
  struct Held {
    std::int64_t bytes = 0;
    int holders = 0;
  };
  void hold(const PairState& state, int delta);
  void holdPicture(std::unordered_map<std::uint64_t, Held>& held, std::uint64_t key, std::int64_t bytes,
                   int delta);
  void dropOldest();

  std::function<std::int64_t()> now_ms_;
  std::deque<EditStep> steps_;
  int index_ = 0;
  int clean_ = 0;  // the index at which the pair is clean; -1 when no index is
  std::unordered_map<std::uint64_t, Held> images_;     // by QImage::cacheKey()
  std::unordered_map<std::uint64_t, Held> fileBytes_;  // by the bytes' address
  std::int64_t pictureBytes_ = 0;
};

}  // namespace vx
