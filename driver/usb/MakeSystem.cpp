// The library built for real hardware reads the machine's own USB tree and nothing else, and
// its traffic from the capture service.
#include "driver/usb/ActivityFeed.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/RealUsbSystem.h"

namespace linsett::usb {

std::unique_ptr<UsbSystem> MakeSystem(std::string&) { return MakeRealSystem(); }

std::unique_ptr<ActivityFeed> MakeActivityFeed() { return MakeServiceFeed(); }

}  // namespace linsett::usb
