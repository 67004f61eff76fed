#pragma once
// The ticket printer's line settings, set on every serial component that talks to it (the
// main window's and each port of the command-line sender): 19200 bits per second, 8 data
// bits, no parity, 1 stop bit. Owner's thread; takes effect at the next OpenPort.

namespace vx {

class TQRTComm32;

void set19200Baud8N1(TQRTComm32& comm);

}  // namespace vx
