#pragma once
// The service manager, as a test sees a service: its status, its registration, starting and
// stopping it, each wait bounded.
#include <windows.h>
#include <string>
#include <vector>

namespace e2e::services {

struct Status {
    bool exists = false;
    DWORD state = 0;         // SERVICE_STOPPED, SERVICE_RUNNING...
    DWORD exitCode = 0;      // the system's, ERROR_SERVICE_SPECIFIC_ERROR for the service's own
    DWORD serviceExit = 0;   // the service's own exit code
};

Status Query(const wchar_t* name);
// Polls until the service reports `state`; the last status seen.
Status WaitFor(const wchar_t* name, DWORD state, DWORD timeoutMs);
bool Start(const wchar_t* name, const std::vector<std::wstring>& arguments = {});
bool Stop(const wchar_t* name);
// The registered command line and start type; empty when there is no such service.
std::wstring ImagePath(const wchar_t* name, DWORD* startType);

}  // namespace e2e::services
