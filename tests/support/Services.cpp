#include "tests/support/Services.h"

namespace e2e {

ServiceStatus QueryService(const wchar_t* name) {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceW(manager, name, SERVICE_QUERY_STATUS) : nullptr;
    SERVICE_STATUS s{};
    const bool queried = service && QueryServiceStatus(service, &s);
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    return queried ? ServiceStatus{true, s.dwCurrentState, s.dwWin32ExitCode, s.dwServiceSpecificExitCode} : ServiceStatus{};
}

}  // namespace e2e
