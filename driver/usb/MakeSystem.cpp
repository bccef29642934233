#include <windows.h>

#include <iterator>

#include "driver/Text.h"
#include "driver/usb/Enumerator.h"
#include "driver/usb/RealUsbSystem.h"
#include "driver/usb/ReplayUsbSystem.h"

namespace linsett::usb {

std::unique_ptr<UsbSystem> MakeSystem(std::string& error) {
    wchar_t path[MAX_PATH * 4] = {};
    DWORD length = GetEnvironmentVariableW(L"LINSETT_REPLAY", path, DWORD(std::size(path)));
    if (!length) return MakeRealSystem();
    if (length >= std::size(path)) {
        error = "LINSETT_REPLAY: the path is too long";
        return nullptr;
    }
    return LoadReplaySystem(Narrow(reinterpret_cast<const char16_t*>(path)), error);
}

}  // namespace linsett::usb
