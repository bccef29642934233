#include "driver/capture/service/ServiceInstall.h"

#include <sddl.h>
#include <cstdio>
#include <string>

namespace linsett::capture {

namespace {

constexpr wchar_t kDisplayName[] = L"Quorvane USB activity";
wchar_t gDescription[] =
    L"Counts the bytes each USB device moves, from USBPcap's captures, for Quorvane's transmission lights. "
    L"Keeps no transferred data. Stops at once when USBPcap is not installed.";
// SYSTEM and administrators everything; signed-in users query and start it (the library starts
// it when the lights are switched on), and nothing more.
constexpr wchar_t kServiceAccess[] =
    L"D:(A;;CCLCSWRPWPDTLOCRRC;;;SY)(A;;CCDCLCSWRPWPDTLOCRSDRCWDWO;;;BA)(A;;CCLCSWRPLORC;;;IU)(A;;CCLCSWRPLORC;;;AU)";
constexpr int kWaitSteps = 100;
constexpr DWORD kWaitStepMs = 200;

DWORD Fail(const char* what) {
    const DWORD error = GetLastError();
    std::fprintf(stderr, "QuorvaneCapture: %s: error %lu\n", what, error);
    return error ? error : ERROR_GEN_FAILURE;
}

DWORD Configure(SC_HANDLE service) {
    SERVICE_DESCRIPTIONW description{gDescription};
    if (!ChangeServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, &description))
        return Fail("cannot describe the service");
    PSECURITY_DESCRIPTOR access = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kServiceAccess, SDDL_REVISION_1, &access, nullptr))
        return Fail("cannot make the service's access list");
    const BOOL set = SetServiceObjectSecurity(service, DACL_SECURITY_INFORMATION, access);
    LocalFree(access);
    return set ? 0 : Fail("cannot set the service's access list");
}

}  // namespace

DWORD InstallService() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return Fail("cannot name this program");
    const std::wstring command = L"\"" + std::wstring(path) + L"\"";
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE));
    if (!manager) return Fail("cannot open the service manager");
    constexpr DWORD kAccess = SERVICE_CHANGE_CONFIG | WRITE_DAC | READ_CONTROL;
    // A removal still under way (someone held the old registration open) ends shortly.
    for (int step = 0; step < kWaitSteps; ++step) {
        ServiceHandle service(CreateServiceW(manager.Get(), kServiceName, kDisplayName, kAccess,
                                             SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                             command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
        if (service) return Configure(service.Get());
        if (GetLastError() == ERROR_SERVICE_EXISTS) {
            service.Reset(OpenServiceW(manager.Get(), kServiceName, kAccess));
            if (!service) return Fail("cannot open the service");
            if (!ChangeServiceConfigW(service.Get(), SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START,
                                      SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr, nullptr,
                                      L"LocalSystem", L"", kDisplayName))
                return Fail("cannot update the service");
            return Configure(service.Get());
        }
        if (GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE) return Fail("cannot register the service");
        Sleep(kWaitStepMs);
    }
    return Fail("the service's removal did not end");
}

DWORD UninstallService() {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) return Fail("cannot open the service manager");
    ServiceHandle service(OpenServiceW(manager.Get(), kServiceName, SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
    if (!service) return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST ? 0 : Fail("cannot open the service");
    SERVICE_STATUS status{};
    ControlService(service.Get(), SERVICE_CONTROL_STOP, &status);
    bool stopped = false;
    for (int step = 0; step < kWaitSteps && !stopped; ++step) {
        stopped = QueryServiceStatus(service.Get(), &status) && status.dwCurrentState == SERVICE_STOPPED;
        if (!stopped) Sleep(kWaitStepMs);
    }
    if (!DeleteService(service.Get()) && GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE)
        return Fail("cannot delete the service");
    if (!stopped) {
        SetLastError(ERROR_SERVICE_REQUEST_TIMEOUT);
        return Fail("the service did not stop in time; it goes when it stops");
    }
    return 0;
}

}  // namespace linsett::capture
