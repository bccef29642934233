#pragma once
// A hidden window holding an element tree as the program's windows do, painting it off screen.
#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "framework/SharedLook.h"
#include "framework/ElxWnd.h"
#include "framework/RootElement.h"
#include "tests/support/Capture.h"

namespace elements_test {

inline LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class HostWindow : public ElxWnd {
public:
    HostWindow() : ElxWnd(nullptr, WS_POPUP, 0, false) {}
    RootElement root{hwnd_};
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER) return ElxWnd::OnOtherMessage(message, wParam, lParam);
        root.OnTimer(static_cast<UINT>(wParam));
        return 0;
    }
    // Delivers what was posted to the window, WM_TIMER included.
    void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, hwnd_, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    void PostTimer(UINT id) { PostMessageA(hwnd_, WM_TIMER, id, 0); }
    void Down(int x, int y) { root.RouteLeftButtonDown(MK_LBUTTON, At(x, y)); }
    void Move(int x, int y) { root.RouteMouseMove(MK_LBUTTON, At(x, y)); }
    void Up(int x, int y) { root.RouteLeftButtonUp(0, At(x, y)); }
};

// A container that notes the commands of its children.
class CommandLog : public ContainerElement {
public:
    using ContainerElement::ContainerElement;
    void Command(int id) override { commands.push_back(id); }
    std::vector<int> commands;
};

// The root painted into a 32-bit DIB of the root's size, on white.
e2e::Image PaintTree(RootElement& root);

class ElementKinds : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // The holder covers the root, so window and holder coordinates are the same.
    void SetUp() override {
        host.root.SetSize(400, 300);
        holder.SetBounds(0, 0, 400, 300);
    }
    HostWindow host;
    CommandLog holder{&host.root};
};

}  // namespace elements_test
