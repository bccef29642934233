#pragma once
// A service as a test sees it through the service manager.
#include <windows.h>
#include <string>
#include <vector>

namespace e2e::services {

struct Status {
    bool exists = false;
    DWORD state = 0, exitCode = 0, serviceExit = 0;  // serviceExit: the service's own code
};
Status Query(const wchar_t* name);
// Polls until the service reports `state` or the time is up; the last status seen.
Status WaitFor(const wchar_t* name, DWORD state, DWORD timeoutMs);
bool Start(const wchar_t* name, const std::vector<std::wstring>& arguments = {});
bool Stop(const wchar_t* name);

}  // namespace e2e::services
