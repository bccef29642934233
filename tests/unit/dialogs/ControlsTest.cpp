// The dialogs' window controls on a hidden window: buttons, the scroll bar, item list and field.
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include "framework/ItemListWindow.h"
#include "framework/LabeledEditWindow.h"
#include "framework/PushButtonWindow.h"
#include "framework/SharedLook.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
bool Shown(const ElxWnd& window) { return (GetWindowLongA(window.Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
int TopIn(const ElxWnd& child, HWND parent) {
    RECT r{};
    GetWindowRect(child.Handle(), &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r.top;
}

// A hidden parent noting the commands its children send: (id, sender).
class Host : public ElxWnd {
public:
    Host() : ElxWnd(nullptr, WS_POPUP, 0, false) {}
    void OnCommand(WPARAM wParam) override { commands.emplace_back(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam_)); }
    std::vector<std::pair<int, HWND>> commands;
};

class Controls : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterElxWndClass(GetModuleHandleA(nullptr));
        LoadSharedLook(GetModuleHandleA(nullptr));
    }
    Host host;
};

TEST_F(Controls, ButtonsFireOnlyWhenReleasedOverThemselvesAndRepeatWhileHeldOver) {
    TextPushButtonWindow button(host.Handle(), &DialogButtonStrip(), 7, "Save");
    const HWND b = button.Handle();
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, At(5, 300));
    SendMessageA(b, WM_LBUTTONUP, 0, At(5, 300));
    EXPECT_TRUE(host.commands.empty()) << "released off the button";
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, At(-1, 5));
    SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, At(6, 6));
    SendMessageA(b, WM_LBUTTONUP, 0, At(6, 6));
    EXPECT_EQ(host.commands, (std::vector<std::pair<int, HWND>>{{7, b}})) << "moved back on before the release";
    EXPECT_FALSE(button.IsPressed());

    host.commands.clear();
    RepeatPushButtonWindow arrow(host.Handle(), &ScrollArrowStrip(), 2, 2);
    const HWND a = arrow.Handle();
    SendMessageA(a, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
    SendMessageA(a, WM_TIMER, RepeatPushButtonWindow::kRepeatTimer, 0);
    SendMessageA(a, WM_MOUSEMOVE, MK_LBUTTON, At(3, 300));
    SendMessageA(a, WM_TIMER, RepeatPushButtonWindow::kRepeatTimer, 0);
    SendMessageA(a, WM_LBUTTONUP, 0, At(3, 3));
    SendMessageA(a, WM_TIMER, RepeatPushButtonWindow::kRepeatTimer, 0);
    EXPECT_EQ(host.commands.size(), 2u) << "once on the press, once per tick over it, none after";
}

// 175 high: 55-pixel arrows and a 15-pixel thumb leave a track of 50.
TEST_F(Controls, ScrollBarWindowPlacesItsThumbAndTakesPointsAsTheyAre) {
    ScrollBarWindow bar(host.Handle(), 9);
    SetWindowPos(bar.Handle(), nullptr, 0, 0, 15, 175, SWP_NOZORDER);
    EXPECT_EQ(TopIn(bar.DownArrow(), bar.Handle()), 120);
    bar.SetPosition(10);
    EXPECT_EQ(TopIn(bar.Thumb(), bar.Handle()), 60);
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(7, 80));
    EXPECT_EQ(bar.GetPosition(), 50) << "the element bar's extra pixel would give 52";
    const HWND thumb = bar.Thumb().Handle();
    SendMessageA(thumb, WM_LBUTTONDOWN, MK_LBUTTON, At(7, 7));
    SendMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, At(7, 17));
    EXPECT_EQ(bar.GetPosition(), 70) << "the thumb dragged 10 down";
    SendMessageA(thumb, WM_LBUTTONUP, 0, At(7, 500));
    EXPECT_EQ(bar.GetPosition(), 100) << "dropped below the bar";
    SendMessageA(bar.Handle(), WM_COMMAND, ScrollBarWindow::kDownArrow, 0);
    EXPECT_EQ(bar.GetPosition(), 100);
    SendMessageA(bar.Handle(), WM_COMMAND, ScrollBarWindow::kUpArrow, 0);
    ASSERT_EQ(host.commands.size(), 5u) << "10, 50, 70 dragged, 100 dropped, 99";
    EXPECT_EQ(host.commands[1], std::make_pair(9, bar.Handle()));
    bar.SetMaximum(0);
    EXPECT_EQ(bar.GetPosition(), 0);
    EXPECT_FALSE(Shown(bar.Thumb())) << "nothing to scroll";
}

// Items 20 high: with the 2-pixel gaps a 100-pixel panel holds four.
class Row : public ListItem {
public:
    Row(std::string* log, char name) : log_(log), name_(name) {}
    void Measure(SIZE* out, int) override { *out = {0, 20}; }
    void Draw(HDC, int x, int y, int width) override {
        *log_ += std::string(1, name_) + "@" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + " ";
    }

private:
    std::string* log_;
    char name_;
};

TEST_F(Controls, ItemListWindowDrawsWholeItemsFromTheScrollPositionAndHidesAnIdleBar) {
    std::string log;
    std::vector<Row> rows;
    for (char name = 'a'; name <= 'h'; ++name) rows.emplace_back(&log, name);
    std::vector<ListItem*> items;
    for (Row& row : rows) items.push_back(&row);
    ItemListWindow panel(host.Handle());
    SetWindowPos(panel.Handle(), nullptr, 0, 0, 100, 100, SWP_NOZORDER);
    HDC dc = CreateCompatibleDC(nullptr);
    panel.SetItems(items);
    panel.Scroll().SetPosition(2);
    panel.Draw(dc);
    EXPECT_EQ(log, "c@10,2,85 d@10,24,85 e@10,46,85 f@10,68,85 ");
    EXPECT_TRUE(Shown(panel.Scroll()));
    log.clear();
    panel.SetItems({items.begin(), items.begin() + 3});
    panel.Scroll().SetPosition(2);
    SetWindowPos(panel.Handle(), nullptr, 0, 0, 100, 101, SWP_NOZORDER);
    panel.Draw(dc);
    DeleteDC(dc);
    EXPECT_EQ(log, "a@10,2,100 b@10,24,100 c@10,46,100 ") << "fitting items show from the first, the full width";
    EXPECT_FALSE(Shown(panel.Scroll()));
}

TEST_F(Controls, LabeledEditReadsBackAtMost79Characters) {
    LabeledEditWindow field(host.Handle(), "Name:");
    field.SetText(std::string(100, 'x').c_str());
    EXPECT_EQ(std::string(field.GetText().Chars()), std::string(79, 'x'));
    field.SetText("short");
    EXPECT_STREQ(field.GetText().Chars(), "short");
}

}  // namespace
