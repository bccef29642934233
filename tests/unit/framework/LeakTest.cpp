// Windows with element trees and surfaces, made and destroyed a thousand times, leave
// nothing behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "framework/SharedLook.h"
#include "framework/ElxWnd.h"
#include "framework/PushButton.h"
#include "framework/RootElement.h"
#include "graphics/Surface.h"

namespace {

// How far up their handle tables new GDI and USER objects land. Both tables hand out freed
// slots first, so 64 objects in a row reach past the free slots to the table's top, which a
// leak pushes up by one slot per lost object. Wine reports no per-process object counts,
// so this is how a leak shows there.
struct TableTops {
    unsigned gdi = 0, user = 0;
};

TableTops ProbeTableTops() {
    TableTops tops;
    HRGN regions[64];
    HWND windows[64];
    for (int i = 0; i < 64; ++i) {
        regions[i] = CreateRectRgn(0, 0, 1, 1);
        windows[i] = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        tops.gdi = std::max<unsigned>(tops.gdi, LOWORD(reinterpret_cast<uintptr_t>(regions[i])));
        tops.user = std::max<unsigned>(tops.user, LOWORD(reinterpret_cast<uintptr_t>(windows[i])));
    }
    for (int i = 0; i < 64; ++i) {
        DestroyWindow(windows[i]);
        DeleteObject(regions[i]);
    }
    return tops;
}

void OneWindowLife(std::vector<HWND>* handles) {
    ElxWnd window(nullptr, WS_POPUP, 0, false);
    SetWindowPos(window.Handle(), nullptr, 0, 0, 160, 90, SWP_NOZORDER | SWP_NOACTIVATE);
    RootElement root(window.Handle());
    root.SetSize(160, 90);
    ContainerElement panel(&root);
    panel.SetBounds(4, 4, 150, 80);
    PushButton button(&panel, 1, &DialogButtonStrip(), 0);
    root.SetTimer(&button, 60000);
    root.SetCapture(&button);
    root.RedrawChild(&button);  // paints the tree through an off-screen surface
    Surface surface(window.Handle());
    HDC dc = GetDC(window.Handle());
    root.Paint(surface.Begin(dc));
    surface.End();
    ReleaseDC(window.Handle(), dc);
    root.ReleaseCapture();
    handles->push_back(window.Handle());
}

TEST(Leaks, AThousandWindowsWithTreesAndSurfaces) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterElxWndClass(instance);
    LoadSharedLook(instance);
    std::vector<HWND> handles;
    for (int i = 0; i < 50; ++i) OneWindowLife(&handles);  // let pools and caches settle
    TableTops before = ProbeTableTops();
    DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 1000; ++i) OneWindowLife(&handles);
    TableTops after = ProbeTableTops();
    DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    DWORD userAfter = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    ReleaseSharedLook();

    std::printf("GDI table top %u -> %u, USER table top %u -> %u, GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
                before.gdi, after.gdi, before.user, after.user, gdiBefore, gdiAfter, userBefore, userAfter);
    for (HWND handle : handles) {
        ASSERT_FALSE(IsWindow(handle));
        ASSERT_EQ(ElxWnd::FromHandle(handle), nullptr) << "the window map kept a dead window";
    }
    // One leaked object per window would move a slot by a thousand.
    EXPECT_LE(after.gdi, before.gdi + 16) << "GDI objects leak";
    EXPECT_LE(after.user, before.user + 16) << "windows leak";
    EXPECT_LE(gdiAfter, gdiBefore + 2);
    EXPECT_LE(userAfter, userBefore + 2);
}

}  // namespace
