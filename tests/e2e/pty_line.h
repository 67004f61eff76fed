#pragma once
// A pseudo-terminal standing in for the printer's serial line: the configurator opens its
// far side as COM1 (through VORLANDEX_COM1), and every byte that arrives is kept with its
// arrival time for the virtual printer's decoder.

#include "printer/decoder.h"
#include "pseudo_terminal.h"

#include <QString>

#include <vector>

namespace vx::test {

class PtyLine {
 public:
  PtyLine();  // opens the pair and points VORLANDEX_COM1 at it
  PtyLine(const PtyLine&) = delete;
  PtyLine& operator=(const PtyLine&) = delete;

  QString devicePath() const { return QString::fromStdString(line_.path()); }
  // Everything received so far, after `quietMs` without a new byte.
  std::vector<printer::TimedByte> received(int quietMs = 150);
  // What arrived since the last take(), after `quietMs` without a new byte; it is then forgotten,
  // so a long run keeps no more than one job's bytes.
  std::vector<printer::TimedByte> take(int quietMs = 150);
  // Bytes received so far, at once.
  std::size_t count() { return reader_.count(); }
  // Closes the far side's master, as a pulled USB adapter: writes to the port fail from then on.
  void vanish();

 private:
  PseudoTerminal line_;
  FarEndReader reader_{line_, /*realtime=*/true};
};

}  // namespace vx::test
