#include "printer/decoder.h"

#include <cstdio>

namespace vx::printer {

namespace {

constexpr std::uint8_t kWord[4] = {0x44, 0x49, 0x4D, 0x50};
constexpr std::uint8_t kFrameStart = 0x40;
constexpr std::uint8_t kTerminator = 0x46;

std::string millis(std::int64_t us) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f ms", static_cast<double>(us) / 1000.0);
  return buf;
}

// Range of the value each 8-bit register can hold.
bool valueInRange(std::uint8_t code, int v) {
  if (code >= 0x06 && code <= 0x09) return v <= 6;
  switch (code) {
    case 0x18:
    case 0x19:
      return v <= 59;
    case 0x1A:
      return v <= 23;
    case 0x1B:
      return v >= 1 && v <= 31;
    case 0x1C:
      return v >= 1 && v <= 12;
    case 0x1D:
      return v <= 6;
    case 0x1F:
      return v <= 0x07;
    default:
      return true;
  }
}

}  // namespace

std::string hexByte(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFF);
  return buf;
}

std::string hexBytes(const std::vector<std::uint8_t>& bytes, std::size_t limit) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
    if (!out.empty()) out += ' ';
    out += buf;
  }
  if (bytes.size() > limit) out += " ...";
  return out;
}

bool knownRegister(std::uint8_t code) {
  return code <= 0x03 || (code >= 0x06 && code <= 0x09) || (code >= 0x0C && code <= 0x0F) ||
         (code >= 0x12 && code <= 0x15) || (code >= 0x18 && code <= 0x1F);
}

bool knownBlock(std::uint8_t code) {
  return code == 0x00 || (code >= 0x34 && code <= 0x37) || (code >= 0x3A && code <= 0x3D);
}

bool isWideRegister(std::uint8_t code) {
  return (code >= 0x0C && code <= 0x0F) || (code >= 0x12 && code <= 0x15) || code == 0x1E;
}

int registerValue(const Transfer& t) { return isWideRegister(t.code) ? t.value1 * 256 + t.value2 : t.value1; }

Decoder::Decoder(TransferSink onTransfer, ProblemSink onProblem, std::int64_t slackUs)
    : onTransfer_(std::move(onTransfer)), onProblem_(std::move(onProblem)), slackUs_(slackUs) {}

void Decoder::problem(std::int64_t us, std::string text, Problem::Kind kind, int count) {
  if (onProblem_) onProblem_(Problem{kind, us, std::move(text), count});
}

bool Decoder::inPiece() const {
  return state_ == State::Word || state_ == State::Frame || state_ == State::FrameNoWord ||
         state_ == State::Header;
}

std::string Decoder::unfinished() const {
  switch (state_) {
    case State::Word:
      return "\"DIMP\" cut short: " + hexBytes(piece_);
    case State::AfterWord:
      return "\"DIMP\" not followed by a register frame or block header";
    case State::Frame:
      return "short register frame: " + hexBytes(piece_) + " (" + std::to_string(piece_.size()) +
             " of 4 bytes)";
    case State::FrameNoWord:
      return "short register frame without \"DIMP\": " + hexBytes(piece_);
    case State::Header:
      return "short block header: " + hexBytes(piece_) + " (" + std::to_string(piece_.size()) +
             " of 4 bytes)";
    case State::Data:
      return "block " + hexByte(current_.code) + " cut short: " + std::to_string(current_.data.size()) +
             " of " + std::to_string(count_) + " data bytes and no \"F\"";
    case State::Terminator:
      return "block " + hexByte(current_.code) + ": missing terminator \"F\" after " +
             std::to_string(count_) + " data bytes";
    case State::Idle:
      break;
  }
  return {};
}

void Decoder::giveUp(const std::string& why) {
  if (state_ != State::Idle) problem(lastUs_, unfinished() + why);
  state_ = State::Idle;
  piece_.clear();
}

void Decoder::flushStray() {
  if (stray_.empty()) return;
  problem(strayUs_, std::to_string(stray_.size()) + (stray_.size() == 1 ? " byte" : " bytes") +
                        " between transfers: " + hexBytes(stray_));
  stray_.clear();
}

void Decoder::feed(std::uint8_t byte, std::int64_t us) {
  if (haveLast_) {
    const std::int64_t gap = us - lastUs_;
    if (inPiece() && gap >= kPieceGapUs) {
      giveUp(" (" + millis(gap) + " of silence inside it)");
    } else if (state_ != State::Idle && gap >= kAbandonUs) {
      giveUp(" (given up after " + millis(gap) + " of silence)");
    }
  }
  step(byte, us);
  lastUs_ = us;
  haveLast_ = true;
}

void Decoder::poll(std::int64_t nowUs) {
  if (!haveLast_) return;
  const std::int64_t gap = nowUs - lastUs_;
  if (inPiece() ? gap >= kPieceGapUs : (state_ != State::Idle && gap >= kAbandonUs)) {
    giveUp(" (nothing more arrived)");
  }
  if (state_ == State::Idle && gap >= kPieceGapUs) flushStray();
}

void Decoder::finish() {
  giveUp(" (end of the stream)");
  flushStray();
}

void Decoder::step(std::uint8_t byte, std::int64_t us) {
  switch (state_) {
    case State::Idle:
      if (byte == kWord[0]) {
        flushStray();
        state_ = State::Word;
        piece_.assign(1, byte);
        current_ = Transfer{};
        current_.startUs = us;
      } else if (byte == kFrameStart) {
        flushStray();
        state_ = State::FrameNoWord;
        piece_.assign(1, byte);
      } else {
        if (stray_.empty()) strayUs_ = us;
        stray_.push_back(byte);
      }
      return;

    case State::Word:
      if (byte == kWord[piece_.size()]) {
        piece_.push_back(byte);
        if (piece_.size() == 4) {
          wordEndUs_ = us;
          wordComplete();
        }
        return;
      }
      // Not a word after all: what was read of it lies between transfers.
      strayUs_ = current_.startUs;
      stray_ = piece_;
      piece_.clear();
      state_ = State::Idle;
      step(byte, us);
      return;

    case State::AfterWord:
      if (byte == kFrameStart) {
        current_.kind = Transfer::Kind::Register;
        state_ = State::Frame;
      } else if (byte == kWord[0]) {
        // No block code is 'D': this is a new word, the previous one led nowhere.
        giveUp("");
        step(byte, us);
        return;
      } else {
        current_.kind = Transfer::Kind::Block;
        current_.pauseAfterWord = us - wordEndUs_ >= kRegisterPauseUs - slackUs_;
        state_ = State::Header;
      }
      piece_.assign(1, byte);
      return;

    case State::Frame:
    case State::FrameNoWord:
      piece_.push_back(byte);
      if (piece_.size() == 4) {
        current_.endUs = us;
        if (state_ == State::FrameNoWord) {
          problem(us, "register frame " + hexBytes(piece_) + " without \"DIMP\" (ignored)");
          state_ = State::Idle;
          piece_.clear();
        } else {
          frameComplete();
        }
      }
      return;

    case State::Header:
      piece_.push_back(byte);
      if (piece_.size() == 4) {
        current_.endUs = us;
        headerComplete();
      }
      return;

    case State::Data: {
      if (!current_.data.empty()) checkByteSpacing(us);
      current_.data.push_back(byte);
      if (current_.data.size() == count_) state_ = State::Terminator;
      return;
    }

    case State::Terminator:
      if (byte == kTerminator) {
        if (count_ > 0) checkByteSpacing(us);
        blockComplete(us);
        return;
      }
      problem(us, "block " + hexByte(current_.code) + ": expected \"F\" after " + std::to_string(count_) +
                      " data bytes, got " + hexByte(byte) + " (the count does not match the bytes sent)");
      state_ = State::Idle;
      step(byte, us);
      return;
  }
}

// Every data byte but the first, and the "F" after them, must come 12 ms after the byte
// before; the fast ones are counted and reported once, when the block ends.
void Decoder::checkByteSpacing(std::int64_t us) {
  const std::int64_t gap = us - lastUs_;
  if (gap >= kByteSpacingUs - slackUs_) return;
  if (fastBytes_ == 0 || gap < smallestGapUs_) smallestGapUs_ = gap;
  ++fastBytes_;
}

void Decoder::wordComplete() {
  state_ = State::AfterWord;
  if (lastRegisterUs_) {
    const std::int64_t since = current_.startUs - *lastRegisterUs_;
    if (since < kRegisterPauseUs - slackUs_)
      problem(current_.startUs,
              "\"DIMP\" " + millis(since) + " after the previous register frame (the printer needs 100 ms)",
              Problem::Kind::Pacing, 1);
  }
}

void Decoder::frameComplete() {
  state_ = State::Idle;
  current_.code = piece_[1];
  current_.value1 = piece_[2];
  current_.value2 = piece_[3];
  piece_.clear();
  lastRegisterUs_ = current_.startUs;
  if (!knownRegister(current_.code)) {
    problem(current_.endUs,
            "unknown register " + hexByte(current_.code) + " (frame 40 " + hexBytes({current_.code}) + " " +
                hexBytes({current_.value1, current_.value2}) + ", ignored)",
            Problem::Kind::Content);
    return;
  }
  if (!isWideRegister(current_.code)) {
    if (current_.value2 != 0)
      problem(current_.endUs,
              "register " + hexByte(current_.code) + ": 8-bit value with second byte " +
                  hexByte(current_.value2) + " (should be 0x00)",
              Problem::Kind::Content);
    if (!valueInRange(current_.code, current_.value1))
      problem(current_.endUs,
              "register " + hexByte(current_.code) + ": value " + std::to_string(current_.value1) +
                  " out of range",
              Problem::Kind::Content);
  }
  if (onTransfer_) onTransfer_(current_);
}

void Decoder::headerComplete() {
  current_.code = piece_[0];
  count_ = static_cast<std::size_t>(piece_[2]) * 256 + piece_[3];
  if (piece_[1] != 0x00) {
    problem(current_.endUs, "malformed block header " + hexBytes(piece_) + " (second byte should be 0x00)");
    state_ = State::Idle;
    piece_.clear();
    return;
  }
  if (!knownBlock(current_.code))
    problem(current_.endUs,
            "unknown block code " + hexByte(current_.code) + " (" + std::to_string(count_) +
                " data bytes, ignored)",
            Problem::Kind::Content);
  piece_.clear();
  current_.data.clear();
  current_.data.reserve(count_);
  fastBytes_ = 0;
  smallestGapUs_ = 0;
  state_ = count_ == 0 ? State::Terminator : State::Data;
}

void Decoder::blockComplete(std::int64_t us) {
  state_ = State::Idle;
  current_.endUs = us;
  if (fastBytes_ > 0)
    problem(us,
            "block " + hexByte(current_.code) + ": " + std::to_string(fastBytes_) +
                (fastBytes_ == 1 ? " byte" : " bytes") +
                " closer than 12 ms to the byte before (smallest gap " + millis(smallestGapUs_) + ")",
            Problem::Kind::Pacing, static_cast<int>(fastBytes_));
  if (knownBlock(current_.code) && onTransfer_) onTransfer_(current_);
}

}  // namespace vx::printer
