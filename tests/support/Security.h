#pragma once
// What an object's access list grants a well-known group.
#include <windows.h>
#include <aclapi.h>

namespace e2e {

// The rights the DACL of `descriptor` allows `group`; 0 when it has none.
ACCESS_MASK GrantedTo(PSECURITY_DESCRIPTOR descriptor, WELL_KNOWN_SID_TYPE group);
// The same for an object's own DACL, read through its handle.
ACCESS_MASK GrantedTo(HANDLE object, SE_OBJECT_TYPE type, WELL_KNOWN_SID_TYPE group);

}  // namespace e2e
