#pragma once
// The system interface over SetupAPI, the configuration manager and the hub driver's
// control codes.
#include <memory>

#include "driver/usb/UsbSystem.h"

namespace linsett::usb {

std::unique_ptr<UsbSystem> MakeRealSystem();

}  // namespace linsett::usb
