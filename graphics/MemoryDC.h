#pragma once
#include <windows.h>

// A memory DC compatible with the screen that holds one bitmap for one scope. Making a DC
// costs many times what a small blend does and every paint draws dozens of frames, so
// the DCs come from a pool that lives as long as the process and grows only as deep as
// the owners nest. Each goes back as it was taken (SaveDC/RestoreDC), so the bitmap
// selected here is free again and no colour or mode leaks to the next user. GUI thread only.
class MemoryDC {
public:
    MemoryDC();
    explicit MemoryDC(HGDIOBJ bitmap);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    // Selects an object; only the first selection's previous object is remembered.
    void Select(HGDIOBJ object);
    // Puts the remembered object back and forgets it.
    void Restore();
    HDC GetDC() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int saved_ = 0;
};
