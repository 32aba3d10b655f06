#include "platform/SerialPort.h"

namespace tarvel {

bool SerialPort::IsSupportedBaud(int baud) {
    return baud == 9600 || baud == 19200 || baud == 38400 || baud == 57600;
}

} // namespace tarvel
