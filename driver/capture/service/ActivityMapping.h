#pragma once
// The named activity section, as the service creates and maps it.
#include <windows.h>
#include "base/HandleOwners.h"
#include "driver/capture/ActivitySection.h"

namespace linsett::capture {

class ActivityMapping {
public:
    ActivityMapping() = default;
    ~ActivityMapping();
    ActivityMapping(const ActivityMapping&) = delete;
    ActivityMapping& operator=(const ActivityMapping&) = delete;

    // Creates the section, or opens the one a reader kept alive since this service last ran,
    // and maps it for writing. SYSTEM and administrators have full access, users read only.
    bool Create();
    ActivitySection& Section() const { return *view_; }

private:
    KernelHandle section_;
    ActivitySection* view_ = nullptr;
};

}  // namespace linsett::capture
