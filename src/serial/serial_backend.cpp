#include "serial/serial_backend.h"

namespace vx {

void SerialPort::purge(Direction side) {
  if (side == Direction::Transmit && outputQueued() == 0) return;
  discard(side);
}

std::unique_ptr<WakeEvent> SerialBackend::createCloseEvent(int* error) { return WakeEvent::create(error); }

}  // namespace vx
