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
    Handle service = Open(name, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status{};
    if (!service || !QueryServiceStatus(service.get(), &status)) return {};
    return {true, status.dwCurrentState, status.dwWin32ExitCode, status.dwServiceSpecificExitCode};
}

Status WaitFor(const wchar_t* name, DWORD state, DWORD timeoutMs) {
    Status status = Query(name);
    for (ULONGLONG end = GetTickCount64() + timeoutMs; status.state != state && GetTickCount64() < end;) {
        Sleep(50);
        status = Query(name);
    }
    return status;
}

bool Start(const wchar_t* name, const std::vector<std::wstring>& arguments) {
    std::vector<const wchar_t*> pointers;
    for (const std::wstring& argument : arguments) pointers.push_back(argument.c_str());
    Handle service = Open(name, SERVICE_START);
    return service && StartServiceW(service.get(), static_cast<DWORD>(pointers.size()), pointers.data());
}

bool Stop(const wchar_t* name) {
    Handle service = Open(name, SERVICE_STOP);
    SERVICE_STATUS status{};
    return service && ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
}

std::wstring ImagePath(const wchar_t* name, DWORD* startType) {
    Handle service = Open(name, SERVICE_QUERY_CONFIG);
    DWORD size = 0;
    if (!service) return {};
    QueryServiceConfigW(service.get(), nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (size == 0 || !QueryServiceConfigW(service.get(), config, size, &size)) return {};
    *startType = config->dwStartType;
    return config->lpBinaryPathName ? config->lpBinaryPathName : L"";
}

}  // namespace e2e::services
