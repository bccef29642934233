#pragma once
#include <windows.h>

// A screen-compatible memory DC holding one bitmap for one scope, taken from a small pool
// that lives as long as the process. Making a memory DC costs many times what a 24 x 24
// blend does, and every paint draws dozens of frames; the pool grows only as deep as the
// helpers nest (a frame drawn into a scratch bitmap takes two). GUI thread only.
class PooledDC {
public:
    explicit PooledDC(HGDIOBJ bitmap);
    // Puts the DC's previous bitmap back, so the caller's bitmap is free again, and returns
    // the DC to the pool.
    ~PooledDC();
    PooledDC(const PooledDC&) = delete;
    PooledDC& operator=(const PooledDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};
