#include "editor/edit_history.h"

#include <chrono>

namespace vx {

EditHistory::EditHistory(std::function<std::int64_t()> now_ms) : now_ms_(std::move(now_ms)) {
  if (!now_ms_)
    now_ms_ = [] {
      using namespace std::chrono;
      return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    };
}

void EditHistory::clear() {
  steps_.clear();
  images_.clear();
  fileBytes_.clear();
  pictureBytes_ = 0;
  index_ = 0;
  clean_ = 0;
}

bool EditHistory::record(const EditPlace& place, const PairState& before, const PairState& after) {
  if (before == after) return false;
  const std::int64_t now = now_ms_();
  // Never continued: a step with steps to redo after it (they are dropped instead), the
  // step at the clean mark (the mark must keep meaning the saved pair).
  if (index_ == count() && index_ > 0 && clean_ != index_) {
    EditStep& top = steps_.back();
    if (!top.sealed && top.place == place && continuesEdit(place.control) &&
        now - top.lastEdit_ms <= kPauseMs && top.after == before) {
      hold(top.after, -1);
      top.after = after;
      top.lastEdit_ms = now;
      if (top.after == top.before) {
        // Typed and deleted again: no step at all.
        hold(top.before, -1);
        steps_.pop_back();
        --index_;
      } else {
        hold(top.after, +1);
      }
      return true;
    }
  }
  while (count() > index_) {
    hold(steps_.back().before, -1);
    hold(steps_.back().after, -1);
    steps_.pop_back();
  }
  if (clean_ > index_) clean_ = -1;
  steps_.push_back(EditStep{place, before, after, now, false});
  hold(before, +1);
  hold(after, +1);
  ++index_;
  while (count() > 1 && (count() > kStepLimit || pictureBytes_ > kPictureBudget)) dropOldest();
  return true;
}

void EditHistory::seal() {
  if (!steps_.empty()) steps_.back().sealed = true;
}

const EditStep* EditHistory::undo() {
  if (!canUndo()) return nullptr;
  EditStep& step = steps_[--index_];
  step.sealed = true;
  return &step;
}

const EditStep* EditHistory::redo() {
  if (!canRedo()) return nullptr;
  EditStep& step = steps_[index_++];
  step.sealed = true;
  return &step;
}

void EditHistory::setClean() {
  clean_ = index_;
  seal();
}

void EditHistory::dropOldest() {
  hold(steps_.front().before, -1);
  hold(steps_.front().after, -1);
  steps_.pop_front();
  --index_;
  // The pair as it stood before the dropped step can no longer be reached.
  clean_ = clean_ > 0 ? clean_ - 1 : -1;
}

void EditHistory::hold(const PairState& state, int delta) {
  holdPicture(images_, state.picture.image.cacheKey(), state.picture.image.sizeInBytes(), delta);
  holdPicture(images_, state.raster.image().cacheKey(), state.raster.image().sizeInBytes(), delta);
  const QByteArray& bytes = state.picture.fileBytes;
  if (!bytes.isEmpty())
    holdPicture(fileBytes_, reinterpret_cast<std::uintptr_t>(bytes.constData()), bytes.size(), delta);
}

void EditHistory::holdPicture(std::unordered_map<std::uint64_t, Held>& held, std::uint64_t key,
                              std::int64_t bytes, int delta) {
  if (bytes <= 0) return;
  Held& h = held[key];
  if (h.holders == 0) {
    h.bytes = bytes;
    pictureBytes_ += bytes;
  }
  h.holders += delta;
  if (h.holders <= 0) {
    pictureBytes_ -= h.bytes;
    held.erase(key);
  }
}

}  // namespace vx
