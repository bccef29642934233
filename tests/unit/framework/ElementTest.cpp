// Element trees on a real hidden window: hit tests, routing with capture, timers, tooltips.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "framework/ElxWnd.h"
#include "framework/RootElement.h"
#include "framework/TooltipWindow.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
std::string Text(const POINT* p) { return std::to_string(p->x) + "," + std::to_string(p->y) + "|"; }

// Notes what reaches it, with the point in its own coordinates.
class Probe : public Element {
public:
    Probe(Element* parent, std::string name, std::string* log) : Element(parent), name_(name), log_(log) {}
    void OnLeftButtonDown(POINT* p, UINT) override { *log_ += name_ + " down " + Text(p); }
    void OnMouseMove(POINT* p, UINT) override { *log_ += name_ + " move " + Text(p); }
    void OnTimer(UINT) override { *log_ += name_ + " timer|"; }
    std::string name_;
    std::string* log_;
};

class ElementTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterElxWndClass(GetModuleHandleA(nullptr)); }
    ElxWnd window{nullptr, WS_POPUP, 0, false};
    RootElement root{window.Handle()};
    std::string log;
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

TEST_F(ElementTree, HitTestsAndTooltipsFindTheTopmostVisibleElement) {
    a.SetTooltip("Alpha");
    panel.SetTooltip("Panel");
    struct Case { int x, y; Element* hit; const char* tooltip; } cases[] = {
        {26, 16, &a, "Alpha"},     {34, 16, &b, ""},      {41, 24, &b, ""},
        {60, 40, &panel, "Panel"}, {150, 80, &root, ""}, {250, 10, nullptr, ""}};
    for (const Case& c : cases) {
        POINT p{c.x, c.y};
        EXPECT_EQ(root.HitTest(&p), c.hit) << c.x << "," << c.y;
        EXPECT_STREQ(root.GetTooltipAt(c.x, c.y).Chars(), c.tooltip) << c.x << "," << c.y;
    }
    b.SetVisible(false);
    POINT p{34, 16};
    EXPECT_EQ(root.HitTest(&p), &a) << "an invisible child was hit";
}

TEST_F(ElementTree, RoutingConvertsToLocalCoordinatesAndFollowsCapture) {
    EXPECT_TRUE(root.RouteLeftButtonDown(MK_LBUTTON, At(26, 18)));
    EXPECT_FALSE(root.RouteMouseMove(0, At(150, 80))) << "the root itself does not take messages";
    root.SetCapture(&a);
    EXPECT_TRUE(root.RouteMouseMove(0, At(150, 80)));
    root.ReleaseCapture();
    EXPECT_TRUE(root.RouteMouseMove(0, At(34, 16)));
    EXPECT_EQ(log, "a down 1,3|a move 125,65|b move 2,1|");
}

TEST_F(ElementTree, TimersAndCaptureEndWithTheirElement) {
    UINT killed = root.SetTimer(&a, 60000);
    root.KillTimer(&a, killed);
    UINT alive = root.SetTimer(&b, 60000);
    auto* doomed = new Probe(&panel, "doomed", &log);
    UINT orphaned = root.SetTimer(doomed, 60000);
    root.SetCapture(doomed);
    delete doomed;
    EXPECT_EQ(root.Captured(), nullptr);
    EXPECT_FALSE(KillTimer(window.Handle(), orphaned)) << "the deleted element's timer was left running";
    for (UINT id : {killed, alive, 99u}) root.OnTimer(id);
    EXPECT_EQ(log, "b timer|") << "a killed timer still ran";
}

// Notes the tooltip messages that reach the control.
WNDPROC g_tooltipProc = nullptr;
std::string g_tooltipSeen;
LRESULT CALLBACK TooltipSpy(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == TTM_UPDATETIPTEXTA) g_tooltipSeen += reinterpret_cast<TTTOOLINFOA*>(lp)->lpszText + std::string("|");
    if (m == TTM_ACTIVATE || m == TTM_POP) g_tooltipSeen += m == TTM_POP ? "pop|" : wp ? "on|" : "off|";
    return CallWindowProcA(g_tooltipProc, w, m, wp, lp);
}

TEST_F(ElementTree, TooltipTextIsSentOnlyWhenItChanges) {
    InitCommonControls();
    TooltipWindow tooltip;
    tooltip.Create(window.Handle());
    g_tooltipProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(tooltip.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TooltipSpy)));
    for (const char* text : {"Move", "Move", "Close", "", ""}) tooltip.SetText(window.Handle(), text);
    EXPECT_EQ(g_tooltipSeen, "Move|on|Close|off|pop|");
}

}  // namespace
