#include "serial/serial_backend.h"

namespace vx {

std::unique_ptr<WakeEvent> SerialBackend::createCloseEvent(int* error) { return WakeEvent::create(error); }

}  // namespace vx
