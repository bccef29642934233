// Element trees on a real hidden window: hit tests, routing with capture, timers, push
// buttons, tooltips and the drag window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "framework/SharedLook.h"
#include "framework/DragWindow.h"
#include "framework/PushButton.h"
#include "framework/RootElement.h"
#include "framework/TooltipControl.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// An element that records what reaches it, with the point in its own coordinates.
class Probe : public Element {
public:
    Probe(Element* parent, const char* name, std::vector<std::string>* log) : Element(parent), name_(name), log_(log) {}
    void OnLeftButtonDown(POINT* p, UINT) override { Note("down", p); }
    void OnLeftButtonUp(POINT* p, UINT) override { Note("up", p); }
    void OnMouseMove(POINT* p, UINT) override { Note("move", p); }
    void OnTimer(UINT id) override { log_->push_back(name_ + " timer " + std::to_string(id)); }
    void Command(int id) override { log_->push_back(name_ + " command " + std::to_string(id)); }

private:
    void Note(const char* what, POINT* p) {
        log_->push_back(name_ + " " + what + " " + std::to_string(p->x) + "," + std::to_string(p->y));
    }
    std::string name_;
    std::vector<std::string>* log_;
};

class ElementTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterElxWndClass(GetModuleHandleA(nullptr));
        LoadSharedLook(GetModuleHandleA(nullptr));
    }
    static void TearDownTestSuite() { ReleaseSharedLook(); }

    ElxWnd window{nullptr, WS_POPUP, 0, false};
    RootElement root{window.Handle()};
    std::vector<std::string> log;
    // root 200x100 > panel at (20,10) 100x50 > a at (5,5) 10x10, b at (12,5) 10x10 (b on top)
    ContainerElement panel{&root};
    Probe a{&panel, "a", &log};
    Probe b{&panel, "b", &log};

    void SetUp() override {
        root.SetSize(200, 100);
        panel.SetBounds(20, 10, 100, 50);
        a.SetBounds(5, 5, 10, 10);
        b.SetBounds(12, 5, 10, 10);
    }
};

TEST_F(ElementTree, HitTestsWithEdgesOverlapAndVisibility) {
    struct Case {
        int x, y;
        Element* expected;
        const char* why;
    } cases[] = {
        {26, 16, &a, "inside a"},
        {34, 16, &b, "overlap goes to the later child"},
        {31, 16, &a, "left of b"},
        {41, 24, &b, "b's last pixel"},
        {42, 16, &panel, "b's right edge is offered to b, whose shape refuses it"},
        {60, 40, &panel, "panel without child"},
        {150, 80, &root, "root only"},
        {250, 10, nullptr, "outside the root"},
    };
    for (const Case& c : cases) {
        POINT p{c.x, c.y};
        EXPECT_EQ(root.HitTest(&p), c.expected) << c.why;
    }
    b.SetVisible(false);
    POINT p{34, 16};
    EXPECT_EQ(root.HitTest(&p), &a) << "an invisible child was hit";
}

TEST_F(ElementTree, RoutingConvertsToLocalCoordinatesAndFollowsCapture) {
    EXPECT_TRUE(root.RouteLeftButtonDown(MK_LBUTTON, At(26, 17)));
    EXPECT_FALSE(root.RouteMouseMove(0, At(150, 80))) << "the root itself does not take messages";
    root.SetCapture(&a);
    EXPECT_TRUE(root.RouteMouseMove(0, At(150, 80)));
    EXPECT_TRUE(root.RouteMouseMove(0, At(10, 3)));  // left of and above the capturing element
    root.ReleaseCapture();
    EXPECT_TRUE(root.RouteLeftButtonUp(0, At(34, 16)));
    EXPECT_EQ(log, (std::vector<std::string>{"a down 1,2", "a move 125,65", "a move -15,-12", "b up 2,1"}));
}

TEST_F(ElementTree, TooltipsComeFromTheElementUnderThePoint) {
    a.SetTooltip("Alpha");
    panel.SetTooltip("Panel");
    EXPECT_STREQ(root.GetTooltipAt(26, 16).Chars(), "Alpha");
    EXPECT_STREQ(root.GetTooltipAt(60, 40).Chars(), "Panel");
    EXPECT_STREQ(root.GetTooltipAt(250, 10).Chars(), "");
}

TEST_F(ElementTree, TimerIdsAreNeverReused) {
    UINT first = root.SetTimer(&a, 10000);
    UINT second = root.SetTimer(&b, 10000);
    root.KillTimer(&a, first);
    UINT third = root.SetTimer(&a, 10000);
    EXPECT_EQ(first, 12345u);
    EXPECT_EQ(second, 12346u);
    EXPECT_EQ(third, 12347u);
    root.OnTimer(second);
    root.OnTimer(first);  // killed: nobody answers
    root.OnTimer(third);
    root.OnTimer(99);
    EXPECT_EQ(log, (std::vector<std::string>{"b timer 12346", "a timer 12347"}));
}

TEST_F(ElementTree, DeletedElementLeavesNoCaptureOrTimerBehind) {
    auto* doomed = new Probe(&panel, "doomed", &log);
    doomed->SetBounds(50, 20, 10, 10);
    UINT id = root.SetTimer(doomed, 10000);
    root.SetCapture(doomed);
    delete doomed;
    EXPECT_EQ(root.Captured(), nullptr);
    root.OnTimer(id);
    EXPECT_TRUE(root.RouteMouseMove(0, At(26, 16)));
    EXPECT_EQ(log, (std::vector<std::string>{"a move 1,1"}));
    EXPECT_EQ(panel.Children().size(), 2u);
}

// A container that records the commands of its children.
class CommandLog : public ContainerElement {
public:
    CommandLog(Element* parent, std::vector<std::string>* log) : ContainerElement(parent), log_(log) {}
    void Command(int id) override { log_->push_back("command " + std::to_string(id)); }

private:
    std::vector<std::string>* log_;
};

TEST_F(ElementTree, PushButtonFiresOnlyWhenReleasedOverItself) {
    root.SetSize(300, 200);
    CommandLog holder(&root, &log);
    holder.SetBounds(150, 100, 140, 90);
    PushButton button(&holder, 42, &DialogButtonStrip(), 0);
    ASSERT_GT(button.Width(), 0) << "the dialog button strip did not load";
    button.SetPosition(10, 10);
    const int inX = 150 + 10 + 3, inY = 100 + 10 + 3;  // inside the button, in window coordinates
    const int offX = 150 + 135;

    auto down = [&](int x, int y) { root.RouteLeftButtonDown(MK_LBUTTON, At(x, y)); };
    auto move = [&](int x, int y) { root.RouteMouseMove(MK_LBUTTON, At(x, y)); };
    auto up = [&](int x, int y) { root.RouteLeftButtonUp(0, At(x, y)); };

    down(inX, inY);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_EQ(button.GetFrame(), 1);
    EXPECT_EQ(root.Captured(), &button);
    move(offX, inY);
    EXPECT_FALSE(button.IsPressed()) << "moving off must release the look";
    up(offX, inY);
    EXPECT_TRUE(log.empty()) << "released off the button, yet it fired";
    EXPECT_EQ(root.Captured(), nullptr);

    down(inX, inY);
    move(offX, inY);
    move(inX, inY);
    up(inX, inY);
    EXPECT_EQ(log, (std::vector<std::string>{"command 42"}));
    EXPECT_EQ(button.GetFrame(), 0);

    log.clear();
    root.RouteLeftButtonDown(0, At(inX, inY));  // no button held: a stray press does not arm it
    up(inX, inY);
    EXPECT_TRUE(log.empty());
}

// Counts the tooltip messages that reach the control.
struct TooltipSpy {
    static inline WNDPROC original = nullptr;
    static inline std::vector<std::string> seen;
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == TTM_UPDATETIPTEXTA) {
            auto* tool = reinterpret_cast<TTTOOLINFOA*>(lp);
            seen.push_back(std::string("text ") + tool->lpszText);
        }
        if (m == TTM_ACTIVATE) seen.push_back(wp ? "activate" : "deactivate");
        if (m == TTM_POP) seen.push_back("pop");
        return CallWindowProcA(original, w, m, wp, lp);
    }
};

TEST_F(ElementTree, TooltipTextIsSentOnlyWhenItChanges) {
    InitCommonControls();
    TooltipControl tooltip;
    tooltip.Create(window.Handle());
    ASSERT_NE(tooltip.Handle(), nullptr);
    tooltip.AddTool(window.Handle());
    TooltipSpy::seen.clear();
    TooltipSpy::original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(tooltip.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TooltipSpy::Proc)));

    tooltip.SetText(window.Handle(), "Click and drag to move");
    tooltip.SetText(window.Handle(), "Click and drag to move");
    tooltip.SetText(window.Handle(), "Close");
    tooltip.SetText(window.Handle(), "");
    tooltip.SetText(window.Handle(), "");
    EXPECT_EQ(TooltipSpy::seen, (std::vector<std::string>{"text Click and drag to move", "activate", "text Close",
                                                          "deactivate", "pop"}));
}

class Listener : public DragListener {
public:
    explicit Listener(HWND window) : window_(window) {}
    HWND GetWindow() override { return window_; }
    void DragBegin(DragWindow*, POINT* p) override { Note("begin", p); }
    void DragMove(DragWindow*, POINT* p) override { Note("move", p); }
    void DragEnd(DragWindow*, POINT* p) override { Note("end", p); }
    std::vector<std::string> seen;

private:
    void Note(const char* what, POINT* p) {
        seen.push_back(std::string(what) + " " + std::to_string(p->x) + "," + std::to_string(p->y));
    }
    HWND window_;
};

TEST_F(ElementTree, DragWindowReportsWhereItsCornerWouldGo) {
    SetWindowPos(window.Handle(), nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    DragWindow handle(window.Handle(), nullptr);
    SetWindowPos(handle.Handle(), nullptr, 30, 40, 20, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    Listener listener(window.Handle());

    SendMessageA(handle.Handle(), WM_LBUTTONUP, 0, At(5, 5));  // no press before: ignored
    SendMessageA(handle.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(handle.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(15, 2));
    SendMessageA(handle.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(-10, -20));
    SendMessageA(handle.Handle(), WM_LBUTTONUP, 0, At(-10, -20));
    EXPECT_TRUE(listener.seen.empty()) << "a drag window without a listener reported";

    handle.SetListener(&listener);
    SendMessageA(handle.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(handle.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(15, 2));
    SendMessageA(handle.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(-10, -20));
    SendMessageA(handle.Handle(), WM_LBUTTONUP, 0, At(-10, -20));
    EXPECT_EQ(listener.seen, (std::vector<std::string>{"begin 30,40", "move 40,37", "move 15,15", "end 15,15"}));
    EXPECT_FALSE(handle.IsDragging());
}

}  // namespace
