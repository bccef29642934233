#pragma once
#include <windows.h>
#include <aclapi.h>

namespace e2e {

// The rights an access list (a descriptor's, or an object's own) allows a well-known group.
ACCESS_MASK GrantedTo(PSECURITY_DESCRIPTOR descriptor, WELL_KNOWN_SID_TYPE group);
ACCESS_MASK GrantedTo(HANDLE object, SE_OBJECT_TYPE type, WELL_KNOWN_SID_TYPE group);

}  // namespace e2e
