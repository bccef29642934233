#include "graphics/MemoryDC.h"

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

MemoryDC::MemoryDC() : dc_(TakeDC()) {
    if (dc_) saved_ = SaveDC(dc_);
}

MemoryDC::MemoryDC(HGDIOBJ bitmap) : MemoryDC() { Select(bitmap); }

MemoryDC::~MemoryDC() {
    if (!dc_) return;
    Restore();
    if (saved_) RestoreDC(dc_, saved_);
    FreeDCs().push_back(dc_);
}

void MemoryDC::Select(HGDIOBJ object) {
    if (!dc_ || !object) return;
    HGDIOBJ previous = SelectObject(dc_, object);
    if (!previous_ && previous != HGDI_ERROR) previous_ = previous;
}

void MemoryDC::Restore() {
    if (!previous_) return;
    SelectObject(dc_, previous_);
    previous_ = nullptr;
}
