#pragma once
// The system interface played back from a recorded USB tree (a JSON fixture): every answer
// is encoded byte for byte as the hub driver lays it out.
#include <memory>
#include <string>

#include "driver/usb/UsbSystem.h"

namespace linsett::usb {

// Null with "<path>: <problem>" when the file cannot be read or is not a fixture.
std::unique_ptr<UsbSystem> LoadReplaySystem(const std::string& path, std::string& error);

}  // namespace linsett::usb
