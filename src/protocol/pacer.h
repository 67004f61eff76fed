#pragma once
// The clock of the transmission jobs: the pauses between hand-overs and the time of day.
// A pause is measured from the previous hand-over (or the previous pause's end, whichever
// is later), so the spacing on the line never falls below the protocol's minimum and a
// long job does not drift. Used on the window's thread only.

#include <QDateTime>

namespace vx {

class Pacer {
 public:
  virtual ~Pacer() = default;
  // Called right after bytes were handed to the port.
  virtual void handedOver() = 0;
  // Blocks until `ms` milliseconds after the later of the last hand-over and the end of
  // the previous pause.
  virtual void wait(int ms) = 0;
  // The local date and time.
  virtual QDateTime now() = 0;
};

}  // namespace vx
