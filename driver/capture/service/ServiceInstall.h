#pragma once
// Registering and removing the service, for the installer. Each returns 0, or the system's
// error code of the step that failed (also written to the error stream as one line).
#include <windows.h>
#include "base/HandleOwners.h"

namespace linsett::capture {

inline constexpr wchar_t kServiceName[] = L"QuorvaneCapture";

struct CloseServiceHandleOf {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using ServiceHandle = UniqueHandle<SC_HANDLE, CloseServiceHandleOf>;

// Registers this executable as the service, or brings an existing registration up to date:
// its own process, started with the system, as LocalSystem; users may query and start it.
DWORD InstallService();

// Stops the service (a bounded wait) and deletes it; 0 when there was none.
DWORD UninstallService();

}  // namespace linsett::capture
