#pragma once
// The virtual printer's ear: turns the bytes arriving on the line, each with its arrival
// time, into transfers (register writes and blocks) and reports everything on the line
// that the printer could not take: a frame without "DIMP", a word sooner than 100 ms after
// a register frame, data bytes closer than 12 ms, a block whose count does not match its
// bytes or that lacks its "F", unknown codes, bytes between transfers, a short frame.
//
// Timing is judged on arrival times, which trail the hand-overs by a small, varying delay
// and never lead them. Every minimum spacing therefore allows some arrival jitter (the
// slack, kSlackUs unless told otherwise): 11 ms between data bytes pass with 2 ms of slack.
// Register pacing is measured from the first byte of one register transfer's "DIMP" to
// the first byte of the next "DIMP": the word and its frame are handed over together, and
// this way the line time of the 8 bytes (4.2 ms at 19200 baud) does not count against it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vx::printer {

struct TimedByte {
  std::uint8_t byte = 0;
  std::int64_t us = 0;  // arrival time, microseconds on any steady clock
  bool operator==(const TimedByte&) const = default;
};

struct Transfer {
  enum class Kind { Register, Block };
  Kind kind = Kind::Register;
  std::uint8_t code = 0;
  std::uint8_t value1 = 0;         // register frame byte 2
  std::uint8_t value2 = 0;         // register frame byte 3
  std::vector<std::uint8_t> data;  // block data, without header and "F"
  bool pauseAfterWord = false;     // block: about 100 ms or more between "DIMP" and header
  std::int64_t startUs = 0;        // first byte of "DIMP"
  std::int64_t endUs = 0;          // last byte of the transfer
  bool operator==(const Transfer&) const = default;
};

struct Problem {
  // Framing: the bytes do not form the transfers the printer expects. Pacing: bytes came
  // sooner than the printer can take them. Content: a transfer carries a value or a block
  // the printer cannot use.
  enum class Kind { Framing, Pacing, Content };
  Kind kind = Kind::Framing;
  std::int64_t us = 0;
  std::string text;
  int count = 0;  // Pacing: how many bytes or frames came too soon
};

// Default allowance for arrival jitter; a loaded machine between the sender and the
// reader (a serial writer thread and a pty reader that wake late) may need more.
inline constexpr std::int64_t kSlackUs = 2'000;
// The bytes of one write (word, frame, header) arrive together; a silence this long inside
// one means it was cut short.
inline constexpr std::int64_t kPieceGapUs = 50'000;
// A transfer that receives nothing for this long is given up as incomplete.
inline constexpr std::int64_t kAbandonUs = 2'000'000;
inline constexpr std::int64_t kRegisterPauseUs = 100'000;
inline constexpr std::int64_t kByteSpacingUs = 12'000;

// Codes the printer knows: registers 0x00-0x03, 0x06-0x09, 0x0C-0x0F, 0x12-0x15 (buttons
// 1..4), 0x18-0x1F; blocks 0x00 (logo), 0x34-0x37 and 0x3A-0x3D (text of buttons 1..4).
bool knownRegister(std::uint8_t code);
bool knownBlock(std::uint8_t code);
// 16-bit registers (ticket numbers and the year) take byte 2 as the high byte.
bool isWideRegister(std::uint8_t code);
int registerValue(const Transfer& t);

class Decoder {
 public:
  using TransferSink = std::function<void(const Transfer&)>;
  using ProblemSink = std::function<void(const Problem&)>;
  Decoder(TransferSink onTransfer, ProblemSink onProblem, std::int64_t slackUs = kSlackUs);

  // One byte and its arrival time; times never go backwards.
  void feed(std::uint8_t byte, std::int64_t us);
  // Time has passed without a byte: reports what has waited too long to be finished.
  void poll(std::int64_t nowUs);
  // End of the stream: reports whatever is unfinished.
  void finish();

 private:
  enum class State { Idle, Word, AfterWord, Frame, FrameNoWord, Header, Data, Terminator };

  void step(std::uint8_t byte, std::int64_t us);
  void wordComplete();
  void frameComplete();
  void headerComplete();
  void blockComplete(std::int64_t us);
  void checkByteSpacing(std::int64_t us);
  void giveUp(const std::string& why);
  void flushStray();
  void problem(std::int64_t us, std::string text, Problem::Kind kind = Problem::Kind::Framing, int count = 0);
  bool inPiece() const;
  std::string unfinished() const;

  TransferSink onTransfer_;
  ProblemSink onProblem_;
  std::int64_t slackUs_;
  State state_ = State::Idle;
  std::vector<std::uint8_t> piece_;  // bytes of the word, frame or header being read
  Transfer current_;
  std::size_t count_ = 0;  // announced data bytes of the block being read
  std::int64_t wordEndUs_ = 0;
  std::int64_t lastUs_ = 0;
  bool haveLast_ = false;
  std::optional<std::int64_t> lastRegisterUs_;  // start of the last register transfer
  int fastBytes_ = 0;                           // data bytes (and "F") closer than 12 ms to the byte before
  std::int64_t smallestGapUs_ = 0;
  std::vector<std::uint8_t> stray_;
  std::int64_t strayUs_ = 0;
};

// "0x4D": the low eight bits of `v`.
std::string hexByte(unsigned v);
// "44 49 4D 50"
std::string hexBytes(const std::vector<std::uint8_t>& bytes, std::size_t limit = 16);

}  // namespace vx::printer
