// The window base on real hidden windows: dispatch, the window map's lifetime and the
// windows-alive flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ElxWnd.h"

namespace {

// Records every handler call by name.
class Recorder : public ElxWnd {
public:
    explicit Recorder(HWND parent = nullptr) : ElxWnd(parent, parent ? WS_CHILD : WS_POPUP, 0, false) {}
    std::vector<std::string> calls;
    std::vector<UINT> others;

    void OnDestroy() override {
        calls.push_back("destroy");
        ElxWnd::OnDestroy();
    }
    void OnCommand(WPARAM) override {
        calls.push_back("command");
        result_ = 77;
    }
    LRESULT OnActivate(WPARAM, LPARAM) override { return Note("activate"); }
    LRESULT OnLeftButtonDown(WPARAM, LPARAM) override { return Note("left down"); }
    LRESULT OnLeftButtonUp(WPARAM, LPARAM) override { return Note("left up"); }
    LRESULT OnRightButtonDown(WPARAM, LPARAM) override { return Note("right down"); }
    LRESULT OnRightButtonUp(WPARAM, LPARAM) override { return Note("right up"); }
    LRESULT OnMouseMove(WPARAM, LPARAM) override { return Note("move"); }
    LRESULT OnSize(WPARAM, LPARAM) override { return Note("size"); }
    LRESULT OnPaint(WPARAM, LPARAM) override {
        ValidateRect(hwnd_, nullptr);
        return Note("paint");
    }
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        others.push_back(message);
        return ElxWnd::OnOtherMessage(message, wParam, lParam);
    }
    WPARAM StoredWParam() const { return wParam_; }

private:
    LRESULT Note(const char* name) {
        calls.push_back(name);
        return 1000 + static_cast<LRESULT>(calls.size());
    }
};

class WindowBase : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterElxWndClass(GetModuleHandleA(nullptr)); }
    void TearDown() override { SetWindowsAlive(true); }
};

TEST_F(WindowBase, EveryMessageOfTheTableReachesItsHandler) {
    Recorder window;
    ASSERT_NE(window.Handle(), nullptr);
    struct Case {
        UINT message;
        const char* handler;
    } cases[] = {{WM_SIZE, "size"},
                 {WM_ACTIVATE, "activate"},
                 {WM_PAINT, "paint"},
                 {WM_MOUSEMOVE, "move"},
                 {WM_LBUTTONDOWN, "left down"},
                 {WM_LBUTTONDBLCLK, "left down"},
                 {WM_LBUTTONUP, "left up"},
                 {WM_RBUTTONDOWN, "right down"},
                 {WM_RBUTTONDBLCLK, "right down"},
                 {WM_RBUTTONUP, "right up"}};
    for (const Case& c : cases) {
        window.calls.clear();
        LRESULT result = SendMessageA(window.Handle(), c.message, 3, 4);
        ASSERT_EQ(window.calls, (std::vector<std::string>{c.handler})) << "message " << c.message;
        EXPECT_EQ(result, 1001) << "the handler's own result is returned for " << c.message;
    }
    window.calls.clear();
    EXPECT_EQ(SendMessageA(window.Handle(), WM_COMMAND, 55, 0), 77);
    EXPECT_EQ(window.StoredWParam(), 55u);
    EXPECT_EQ(SendMessageA(window.Handle(), WM_ERASEBKGND, 0, 0), 1) << "background must count as erased";
    SendMessageA(window.Handle(), WM_USER + 9, 0, 0);
    EXPECT_EQ(window.others.back(), static_cast<UINT>(WM_USER + 9));
}

TEST_F(WindowBase, NothingReachesAHandlerDuringCreation) {
    Recorder window;
    // WM_NCCREATE, WM_CREATE and the first sizing came before the map knew the object.
    for (UINT message : window.others) {
        EXPECT_NE(message, static_cast<UINT>(WM_CREATE));
        EXPECT_NE(message, static_cast<UINT>(WM_NCCREATE));
    }
    EXPECT_EQ(ElxWnd::FromHandle(window.Handle()), &window);
}

TEST_F(WindowBase, SilencedWhileTheTopologyChanges) {
    Recorder window;
    SetWindowsAlive(false);
    for (UINT message : {WM_PAINT, WM_LBUTTONDOWN, WM_COMMAND, WM_SIZE, WM_USER + 1})
        EXPECT_EQ(SendMessageA(window.Handle(), message, 0, 0), 1) << message;
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(window.others.empty());
    SetWindowsAlive(true);
    SendMessageA(window.Handle(), WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"left down"}));
}

TEST_F(WindowBase, MapEntryEndsWithTheWindow) {
    auto* window = new Recorder;
    HWND handle = window->Handle();
    DestroyWindow(handle);
    EXPECT_EQ(window->calls, (std::vector<std::string>{"destroy"}));
    EXPECT_EQ(window->Handle(), nullptr);
    EXPECT_EQ(ElxWnd::FromHandle(handle), nullptr);
    delete window;  // must not touch the destroyed window again

    auto* alive = new Recorder;
    handle = alive->Handle();
    delete alive;
    EXPECT_FALSE(IsWindow(handle)) << "deleting the object left its window behind";
    EXPECT_EQ(ElxWnd::FromHandle(handle), nullptr);
}

TEST_F(WindowBase, ChildWindowsAndSize) {
    Recorder parent;
    Recorder child(parent.Handle());
    EXPECT_EQ(GetParent(child.Handle()), parent.Handle());
    SetWindowPos(parent.Handle(), nullptr, 0, 0, 120, 45, SWP_NOZORDER | SWP_NOACTIVATE);
    SIZE size = parent.GetSize();
    EXPECT_EQ(size.cx, 120);
    EXPECT_EQ(size.cy, 45);
    char title[32] = "";
    GetWindowTextA(parent.Handle(), title, sizeof title);
    EXPECT_STREQ(title, "Quorvane");
}

}  // namespace
