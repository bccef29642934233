#pragma once
#include <windows.h>
#include <aclapi.h>

namespace e2e {

// The rights an object's access list allows a well-known group.
ACCESS_MASK GrantedTo(HANDLE object, SE_OBJECT_TYPE type, WELL_KNOWN_SID_TYPE group);

}  // namespace e2e
