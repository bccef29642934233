#include "driver/capture/service/ActivityMapping.h"

#include <sddl.h>

namespace linsett::capture {

namespace {

// Generic read on a section is query and map for reading: users see the counts and cannot
// change them.
constexpr wchar_t kSectionAccess[] = L"D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;GR;;;BU)";

}  // namespace

ActivityMapping::~ActivityMapping() {
    if (view_) UnmapViewOfFile(view_);
}

bool ActivityMapping::Create() {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kSectionAccess, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    section_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, sizeof(ActivitySection),
                                      kSectionName));
    LocalFree(descriptor);
    if (!section_) return false;
    view_ = static_cast<ActivitySection*>(MapViewOfFile(section_.Get(), FILE_MAP_WRITE, 0, 0, sizeof(ActivitySection)));
    return view_ != nullptr;
}

}  // namespace linsett::capture
