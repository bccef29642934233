#include "graphics/MemoryDC.h"

#include "base/HandleOwners.h"

MemoryDC::MemoryDC() {
    WindowDC screen(nullptr);
    dc_ = CreateCompatibleDC(screen.Get());
}

MemoryDC::MemoryDC(HGDIOBJ bitmap) : MemoryDC() { Select(bitmap); }

MemoryDC::~MemoryDC() {
    Restore();
    if (dc_) DeleteDC(dc_);
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
