// The history window: from the tray menu, newest first and live; a present device's entry shows
// it in the system view; the wheel scrolls it; Escape closes it; the computer's pane reopens it.
#include <gtest/gtest.h>
#include <algorithm>
#include "resources/ResourceIds.h"
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
using e2e::Rect;
constexpr DWORD kTimeoutMs = 30000;
// Where the window draws its rows: the list's first row, one row below the next.
constexpr int kRowLeft = 36, kFirstRowTop = 60, kRowPitch = 36, kRowHeight = 34;

// A window's area (window coordinates) on the screen once it is painted: more than one colour.
std::vector<uint32_t> Painted(HWND window, RECT area) {
    std::vector<uint32_t> shown;
    e2e::WaitUntil([&] {
        const RECT w = Rect(window);
        shown = e2e::CaptureScreen({w.left + area.left, w.top + area.top, w.left + area.right, w.top + area.bottom}).pixels;
        return std::count(shown.begin(), shown.end(), shown.front()) != static_cast<long>(shown.size());
    }, kTimeoutMs);
    return shown;
}

std::vector<uint32_t> Row(HWND window, int row) {
    const int top = kFirstRowTop + kRowPitch * row;
    return Painted(window, {kRowLeft, top, static_cast<LONG>(Rect(window).right - Rect(window).left - 60), top + kRowHeight});
}

// The system view's picture and name of the node it shows.
std::vector<uint32_t> ShownNode(HWND frame) { return Painted(frame, {50, 24, 300, 48}); }

TEST(HistoryWindow, NewestFirstLiveAndAPresentDevicesEntryShowsItThenItKeepsItsPlace) {
    const e2e::InstalledSettings settings;
    settings.PlaceMonitor(820, 150, 4);
    const char* const sides[] = {"History.left", "History.top", "History.right", "History.bottom"};
    const LONG placed[] = {100, 540, 620, 960};
    for (int i = 0; i < 4; ++i) settings.Set(sides[i], placed[i]);
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    HWND monitor = e2e::WaitForMonitor(run, kTimeoutMs);
    ASSERT_NE(monitor, nullptr);
    for (const char* command :
         {"unplug cam", "severity disk 4 Read errors", "text keys name Keyboard", "unplug keys", "plug keys"})
        ASSERT_TRUE(run.Change(command)) << command;

    // "History" is next to last, above the notifications.
    ASSERT_TRUE(e2e::ChooseFromTrayMenu(run, {VK_UP, VK_UP, VK_RETURN}, kTimeoutMs));
    const std::string title = e2e::ProgramString(IDS_HISTORY_TITLE);
    HWND history = e2e::WaitForWindow("ElxWnd", title.c_str(), run.Id(), kTimeoutMs);
    ASSERT_NE(history, nullptr) << "the tray menu opened no history";
    // The keyboard's return on top. A change while the window shows puts its entry above,
    // and the one that was newest moves down a row.
    const std::vector<uint32_t> newest = Row(history, 0);
    ASSERT_TRUE(run.Change("unplug disk"));
    EXPECT_TRUE(e2e::WaitUntil([&] { return Row(history, 1) == newest; }, kTimeoutMs)) << "no new row on top";
    e2e::SaveScreenshot(e2e::CaptureWindow(history), "history");

    // The keyboard's entry opens the system view on the keyboard, as its tile does.
    const RECT h = Rect(history);
    e2e::ClickAt(h.left + 150, h.top + kFirstRowTop + kRowPitch + kRowHeight / 2);
    HWND frame = e2e::WaitForWindow("ElxWnd", "Quorvane", run.Id(), kTimeoutMs);
    ASSERT_NE(frame, nullptr) << "a present device's entry opened no system view";
    e2e::MoveMouseTo(1200, 1000);
    const std::vector<uint32_t> shown = ShownNode(frame);
    ASSERT_EQ(e2e::OpenSystemView(run, monitor, 1, kTimeoutMs), frame);
    EXPECT_EQ(ShownNode(frame), shown) << "the entry showed another node than the keyboard";
    ASSERT_EQ(e2e::OpenSystemView(run, monitor, 0, kTimeoutMs), frame);
    ASSERT_TRUE(e2e::WaitUntil([&] { return ShownNode(frame) != shown; }, kTimeoutMs));

    // Made short enough to scroll, its scroll bar takes a column from the rows; the wheel scrolls.
    const std::vector<uint32_t> tall = Row(history, 0);
    SetWindowPos(history, nullptr, 0, 0, 520, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Row(history, 0) != tall; }, kTimeoutMs)) << "no scroll bar";
    const std::vector<uint32_t> top = Row(history, 0);
    PostMessageA(history, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(h.left + 150, h.top + 90));
    EXPECT_TRUE(e2e::WaitUntil([&] { return Row(history, 0) != top; }, kTimeoutMs)) << "the wheel did not scroll";

    // Moved by its caption and closed by Escape, it opens from the computer's pane where it was.
    e2e::DragFromTo(h.left + 200, h.top + 10, h.left + 240, h.top - 20);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Rect(history).left == placed[0] + 40; }, kTimeoutMs));
    const RECT moved = Rect(history);
    e2e::PressKey(VK_ESCAPE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(history); }, kTimeoutMs)) << "Escape did not close it";
    // Its button shows with the pane's lists, once the bar is down.
    const RECT f = Rect(frame);
    const int bar = f.top + 24 + e2e::SystemViewSplit(frame) + 2;
    e2e::DragFromTo(f.left + 300, bar, f.left + 300, bar + 100);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::SystemViewSplit(frame) > 100; }, kTimeoutMs));
    e2e::ClickAt(f.right - 23 - 250 + 50, f.top + 24 + 70 + 10);
    history = e2e::WaitForWindow("ElxWnd", title.c_str(), run.Id(), kTimeoutMs);
    ASSERT_NE(history, nullptr) << "the computer's pane opened no history";
    const RECT reopened = Rect(history);
    EXPECT_TRUE(EqualRect(&reopened, &moved)) << reopened.left << "," << reopened.top;
}

}  // namespace
