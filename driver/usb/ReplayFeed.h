#pragma once
// The test build's feed: the captures a recorded tree's root hubs name, played into a section
// of the library's own at the pace their timestamps give, over and over.
#include <memory>
#include <string>

#include "driver/usb/ActivityFeed.h"

namespace linsett::usb {

// Null when the fixture at fixturePath cannot be read or names no capture.
std::unique_ptr<ActivityFeed> MakeReplayFeed(const std::string& fixturePath);

}  // namespace linsett::usb
