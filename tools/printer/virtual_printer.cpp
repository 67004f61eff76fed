#include "printer/virtual_printer.h"

namespace vx::printer {

VirtualPrinter::VirtualPrinter(LineSink onLine, std::int64_t slackUs)
    : onLine_(std::move(onLine)),
      decoder_([this](const Transfer& t) { onTransfer(t); }, [this](const Problem& p) { onProblem(p); },
               slackUs) {}

void VirtualPrinter::onTransfer(const Transfer& t) {
  transfers_.push_back(t);
  lines_.push_back(describe(t));
  if (onLine_) onLine_(lines_.back(), false);
  for (std::string& text : apply(state_, t))
    onProblem(Problem{Problem::Kind::Content, t.endUs, std::move(text)});
}

void VirtualPrinter::onProblem(const Problem& p) {
  problems_.push_back(p);
  lines_.push_back("problem: " + p.text);
  if (onLine_) onLine_(lines_.back(), true);
}

DecodeResult decodeStream(const std::vector<TimedByte>& stream, std::int64_t slackUs) {
  VirtualPrinter printer({}, slackUs);
  for (const TimedByte& b : stream) printer.feed(b.byte, b.us);
  printer.finish();
  return DecodeResult{printer.transfers(), printer.problems(), printer.lines(), printer.state()};
}

}  // namespace vx::printer
