#pragma once
#include <windows.h>

// A memory DC compatible with the screen that holds one bitmap. The object that was in the
// DC before the first selection made through it is put back before the DC is deleted, so a
// bitmap selected here can be deleted afterwards.
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
};
