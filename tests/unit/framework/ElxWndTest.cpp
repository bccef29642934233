// The window base: dispatch, the windows-alive flag, and a thousand windows that leave nothing behind.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "framework/ElxWnd.h"
#include "framework/RootElement.h"

namespace {

// Notes the handler each message reached, its creation's too; each handler's result tells it apart.
class Recorder : public ElxWnd {
public:
    Recorder() { Create(nullptr, WS_POPUP, 0, false); }
    std::string calls;
    void OnCommand(WPARAM) override { result_ = Note("command"); }
    LRESULT OnActivate(WPARAM, LPARAM) override { return Note("activate"); }
    LRESULT OnLeftButtonDown(WPARAM, LPARAM) override { return Note("left down"); }
    LRESULT OnLeftButtonUp(WPARAM, LPARAM) override { return Note("left up"); }
    LRESULT OnRightButtonDown(WPARAM, LPARAM) override { return Note("right down"); }
    LRESULT OnRightButtonUp(WPARAM, LPARAM) override { return Note("right up"); }
    LRESULT OnMouseMove(WPARAM, LPARAM) override { return Note("move"); }
    LRESULT OnSize(WPARAM, LPARAM) override { return Note("size"); }
    LRESULT OnPaint(WPARAM w, LPARAM l) override { return ElxWnd::OnPaint(w, l) + Note("paint"); }
    LRESULT OnOtherMessage(UINT message, WPARAM w, LPARAM l) override {
        if (message == WM_CREATE) Note("create");
        return message == WM_USER + 9 ? Note("other") : ElxWnd::OnOtherMessage(message, w, l);
    }
    LRESULT Note(const char* name) {
        calls += std::string(name) + " ";
        return 1000 + static_cast<LRESULT>(calls.size());
    }
};

TEST(WindowBase, EveryMessageReachesItsHandlerUnlessWindowsAreSilenced) {
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    Recorder window;
    EXPECT_EQ(window.calls, "create size ") << "the window's creation passed its handlers by";
    struct Case { UINT message; std::string handler; } cases[] = {
        {WM_SIZE, "size"},        {WM_ACTIVATE, "activate"},      {WM_PAINT, "paint"},
        {WM_MOUSEMOVE, "move"},   {WM_LBUTTONDOWN, "left down"},  {WM_LBUTTONDBLCLK, "left down"},
        {WM_LBUTTONUP, "left up"}, {WM_RBUTTONDOWN, "right down"}, {WM_RBUTTONDBLCLK, "right down"},
        {WM_RBUTTONUP, "right up"}, {WM_COMMAND, "command"},     {WM_USER + 9, "other"}};
    for (const Case& c : cases) {
        window.calls.clear();
        LRESULT result = SendMessageA(window.Handle(), c.message, 3, 4);
        EXPECT_EQ(window.calls, c.handler + " ") << "message " << c.message;
        EXPECT_EQ(result, 1001 + static_cast<LRESULT>(c.handler.size())) << "message " << c.message;
    }
    EXPECT_EQ(SendMessageA(window.Handle(), WM_ERASEBKGND, 0, 0), 1) << "background must count as erased";

    window.calls.clear();
    SetWindowsAlive(false);
    for (const Case& c : cases) EXPECT_EQ(SendMessageA(window.Handle(), c.message, 0, 0), 1) << c.message;
    // Silenced, a window still ends its paint, else the paint came back for ever; and one
    // that goes leaves the map all the same.
    const HWND handle = window.Handle();
    SetWindowPos(handle, nullptr, 0, 0, 40, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(handle);
    EXPECT_FALSE(GetUpdateRect(handle, nullptr, FALSE)) << "the paint is never done";
    DestroyWindow(handle);
    EXPECT_EQ(ElxWnd::FromHandle(handle), nullptr);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(window.calls, "");
    SetWindowsAlive(true);
}

// Wine counts no objects per process, so a GDI leak shows as the handle table's top creeping up:
// freed slots go out first, so 64 new regions reach past them to the top, which each loss raises.
unsigned GdiTableTop() {
    HRGN regions[64];
    unsigned top = 0;
    for (HRGN& region : regions) {
        region = CreateRectRgn(0, 0, 1, 1);
        top = std::max<unsigned>(top, LOWORD(reinterpret_cast<uintptr_t>(region)));
    }
    for (HRGN region : regions) DeleteObject(region);
    return top;
}

TEST(Leaks, AThousandWindowsWithTreesLeaveNothingBehind) {
    RegisterElxWndClass(GetModuleHandleA(nullptr));
    std::vector<HWND> handles;
    auto life = [&handles] {
        ElxWnd window(nullptr, WS_POPUP, 0, false);
        SetWindowPos(window.Handle(), nullptr, 0, 0, 160, 90, SWP_NOZORDER | SWP_NOACTIVATE);
        RootElement root(window.Handle());
        Element child(&root);
        child.SetBounds(4, 4, 150, 80);
        root.SetTimer(&child, 60000);
        root.SetCapture(&child);
        root.RedrawChild(&child);  // paints the tree through an off-screen surface
        handles.push_back(window.Handle());
    };
    for (int i = 0; i < 50; ++i) life();  // lets pools and caches settle
    unsigned before = GdiTableTop();
    for (int i = 0; i < 1000; ++i) life();
    EXPECT_LE(GdiTableTop(), before + 16) << "GDI objects leak: one per window would add a thousand";
    for (HWND handle : handles) {
        ASSERT_FALSE(IsWindow(handle)) << "deleting the object left its window behind";
        ASSERT_EQ(ElxWnd::FromHandle(handle), nullptr) << "the window map kept a dead window";
    }
}

}  // namespace
