// The library built for real hardware reads the machine's own USB tree and nothing else.
#include "driver/usb/Enumerator.h"
#include "driver/usb/RealUsbSystem.h"

namespace linsett::usb {

std::unique_ptr<UsbSystem> MakeSystem(std::string&) { return MakeRealSystem(); }

}  // namespace linsett::usb
