#pragma once
// A service's status, as the service manager reports it.
#include <windows.h>

namespace e2e {

struct ServiceStatus {
    bool exists = false;
    DWORD state = 0, exitCode = 0, serviceExit = 0;  // serviceExit: the service's own code
};
ServiceStatus QueryService(const wchar_t* name);

}  // namespace e2e
