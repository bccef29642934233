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

ACCESS_MASK GrantedTo(HANDLE object, SE_OBJECT_TYPE type, WELL_KNOWN_SID_TYPE group) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL list = nullptr;
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    ACCESS_MASK granted = 0;
    void* entry = nullptr;
    if (GetSecurityInfo(object, type, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list, nullptr, &descriptor) == ERROR_SUCCESS &&
        list && CreateWellKnownSid(group, nullptr, sid, &sidSize))
        for (DWORD i = 0; i < list->AceCount; ++i)
            if (GetAce(list, i, &entry) && static_cast<ACE_HEADER*>(entry)->AceType == ACCESS_ALLOWED_ACE_TYPE &&
                EqualSid(&static_cast<ACCESS_ALLOWED_ACE*>(entry)->SidStart, sid))
                granted |= static_cast<ACCESS_ALLOWED_ACE*>(entry)->Mask;
    LocalFree(descriptor);
    return granted;
}

}  // namespace e2e
