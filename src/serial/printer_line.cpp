#include "serial/printer_line.h"

#include "serial/qrtcomm32.h"

namespace vx {

void set19200Baud8N1(TQRTComm32& comm) {
  comm.setBaudRate(TBaudRate::Baud19200);
  comm.setParity(TParity::None);
  comm.setDataBits(TDataBits::_8);
  comm.setStopBits(TStopBits::_1);
}

}  // namespace vx
