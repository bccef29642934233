#pragma once
// A service's status, as the service manager reports it, and what an object's access list grants.
#include <windows.h>
#include <aclapi.h>

namespace e2e {

struct ServiceStatus {
    bool exists = false;
    DWORD state = 0, exitCode = 0, serviceExit = 0;  // serviceExit: the service's own code
};
ServiceStatus QueryService(const wchar_t* name);

// The rights an object's access list allows a well-known group.
ACCESS_MASK GrantedTo(HANDLE object, SE_OBJECT_TYPE type, WELL_KNOWN_SID_TYPE group);

}  // namespace e2e
