// The test build of the library plays the recorded tree that LINSETT_REPLAY names, read anew
// at every look, so that a test plays a plug or an unplug by rewriting the file.
#include "driver/FileIo.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/RealUsbSystem.h"
#include "driver/usb/ReplayUsbSystem.h"

namespace linsett::usb {

std::unique_ptr<UsbSystem> MakeSystem(std::string& error) {
    std::string path;
    return ReadEnvironment("LINSETT_REPLAY", path) ? LoadReplaySystem(path, error) : MakeRealSystem();
}

}  // namespace linsett::usb
