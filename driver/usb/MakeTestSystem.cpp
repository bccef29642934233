// The test build of the library plays the recorded tree that LINSETT_REPLAY names, read anew
// at every look, so that a test plays a plug or an unplug by rewriting the file; and the
// captures its root hubs name, as their traffic. A recording without captures measures nothing
// of its own: the capture service's counts are read as in the build that ships.
#include "driver/FileIo.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/RealUsbSystem.h"
#include "driver/usb/ReplayFeed.h"
#include "driver/usb/ReplayUsbSystem.h"

namespace linsett::usb {

std::unique_ptr<UsbSystem> MakeSystem(std::string& error) {
    std::string path;
    return ReadEnvironment("LINSETT_REPLAY", path) ? LoadReplaySystem(path, error) : MakeRealSystem();
}

std::unique_ptr<ActivityFeed> MakeActivityFeed() {
    std::string path;
    std::unique_ptr<ActivityFeed> replayed = ReadEnvironment("LINSETT_REPLAY", path) ? MakeReplayFeed(path) : nullptr;
    return replayed ? std::move(replayed) : MakeServiceFeed();
}

}  // namespace linsett::usb
