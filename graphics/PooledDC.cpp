#include "graphics/PooledDC.h"

#include <vector>

#include "base/HandleOwners.h"

namespace {

std::vector<HDC>& FreeDCs() {
    static std::vector<HDC> dcs;
    return dcs;
}

HDC TakeDC() {
    std::vector<HDC>& free = FreeDCs();
    if (!free.empty()) {
        HDC dc = free.back();
        free.pop_back();
        return dc;
    }
    WindowDC screen(nullptr);
    return CreateCompatibleDC(screen.Get());
}

}  // namespace

PooledDC::PooledDC(HGDIOBJ bitmap) : dc_(TakeDC()) {
    if (dc_ && bitmap) {
        previous_ = SelectObject(dc_, bitmap);
        if (previous_ == HGDI_ERROR) previous_ = nullptr;
    }
}

PooledDC::~PooledDC() {
    if (!dc_) return;
    if (previous_) SelectObject(dc_, previous_);
    FreeDCs().push_back(dc_);
}
