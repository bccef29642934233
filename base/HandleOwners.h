#pragma once
#include <windows.h>

// One move-only owner per kind of GDI and USER handle: each frees its handle the one way
// that kind is freed, and none can be copied, so no handle is freed twice.
template <typename Handle, typename Free>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle up to a new owner (SetWindowRgn, for one).
    Handle Release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void Reset(Handle handle = nullptr) {
        if (handle_) Free{}(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyCursorHandle {
    void operator()(HCURSOR cursor) const { DestroyCursor(cursor); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// Pens, brushes, fonts, bitmaps and regions.
template <typename T>
using GdiObject = UniqueHandle<T, DeleteGdiObject>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;

// Cursors loaded from the program's resources.
using CursorHandle = UniqueHandle<HCURSOR, DestroyCursorHandle>;

// Kernel objects that a null handle marks as failed (a mutex, for one), and loaded libraries.
using KernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using ModuleHandle = UniqueHandle<HMODULE, FreeModule>;

// The DC of a window (or of the screen, for a null window), released with its window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    HWND Window() const { return window_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint ... EndPaint for one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~PaintDC() { ::EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// Selects a pen, brush, font or bitmap for one scope and puts the previous one back on
// every way out. Not for regions: SelectObject returns no handle for them (use
// SelectClipRgn). A null object selects nothing.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() {
        if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
