#pragma once
// The virtual ticket printer: the decoder and the state together. Every transfer taken and
// every problem found becomes one readable line (problems start with "problem: ").
// decodeStream() runs a whole captured stream through it: the oracle of the tests.

#include <functional>
#include <string>
#include <vector>

#include "printer/decoder.h"
#include "printer/printer_state.h"

namespace vx::printer {

class VirtualPrinter {
 public:
  using LineSink = std::function<void(const std::string& line, bool problem)>;
  explicit VirtualPrinter(LineSink onLine = {}, std::int64_t slackUs = kSlackUs);

  void feed(std::uint8_t byte, std::int64_t us) { decoder_.feed(byte, us); }
  void poll(std::int64_t nowUs) { decoder_.poll(nowUs); }
  void finish() { decoder_.finish(); }

  const PrinterState& state() const { return state_; }
  const std::vector<Transfer>& transfers() const { return transfers_; }
  const std::vector<Problem>& problems() const { return problems_; }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  void onTransfer(const Transfer& t);
  void onProblem(const Problem& p);

  LineSink onLine_;
  PrinterState state_;
  std::vector<Transfer> transfers_;
  std::vector<Problem> problems_;
  std::vector<std::string> lines_;
  Decoder decoder_;
};

struct DecodeResult {
  std::vector<Transfer> transfers;
  std::vector<Problem> problems;
  std::vector<std::string> lines;  // in order, problems prefixed "problem: "
  PrinterState state;
};

// Decodes a whole captured stream, arrival times in microseconds, and ends it.
DecodeResult decodeStream(const std::vector<TimedByte>& stream, std::int64_t slackUs = kSlackUs);

}  // namespace vx::printer
