#include "tests/support/Services.h"

#include <memory>

namespace e2e::services {

namespace {

struct Close {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, Close>;

Handle Open(const wchar_t* name, DWORD access) {
    Handle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    return Handle(manager ? OpenServiceW(manager.get(), name, access) : nullptr);
}

}  // namespace

Status Query(const wchar_t* name) {
    SERVICE_STATUS s{};
    Handle service = Open(name, SERVICE_QUERY_STATUS);
    if (!service || !QueryServiceStatus(service.get(), &s)) return {};
    return {true, s.dwCurrentState, s.dwWin32ExitCode, s.dwServiceSpecificExitCode};
}

Status WaitFor(const wchar_t* name, DWORD state, DWORD timeoutMs) {
    Status status = Query(name);
    for (ULONGLONG end = GetTickCount64() + timeoutMs; status.state != state && GetTickCount64() < end; Sleep(50))
        status = Query(name);
    return status;
}

bool Start(const wchar_t* name, const std::vector<std::wstring>& arguments) {
    std::vector<const wchar_t*> pointers;
    for (const std::wstring& argument : arguments) pointers.push_back(argument.c_str());
    Handle service = Open(name, SERVICE_START);
    return service && StartServiceW(service.get(), static_cast<DWORD>(pointers.size()), pointers.data());
}

bool Stop(const wchar_t* name) {
    SERVICE_STATUS status{};
    Handle service = Open(name, SERVICE_STOP);
    return service && ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
}

}  // namespace e2e::services
