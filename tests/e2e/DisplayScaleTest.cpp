// The program on displays scaled above 100 %: each window at its scaled size and outline,
// drawn from art and text made for the scale, its placement kept in 96-DPI units, and a
// move to a monitor of another scale laying it out again.
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::Rect;
constexpr DWORD kTimeoutMs = 30000;
SIZE SizeOf(HWND window) {
    const RECT r = Rect(window);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE OutlineSize(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (GetWindowRgn(window, region) != ERROR) GetRgnBox(region, &box);
    DeleteObject(region);
    return {box.right - box.left, box.bottom - box.top};
}

// The share of 2 x 2 blocks, counted from the picture's corner, whose pixels differ: none in
// a picture enlarged from one of the 96-DPI size, many where text and lines are drawn finer.
double FineDetail(const e2e::Image& shot) {
    int blocks = 0, fine = 0;
    for (int y = 0; y + 1 < shot.height; y += 2) {
        for (int x = 0; x + 1 < shot.width; x += 2, ++blocks) {
            const uint32_t p = shot.At(x, y);
            if (shot.At(x + 1, y) != p || shot.At(x, y + 1) != p || shot.At(x + 1, y + 1) != p) ++fine;
        }
    }
    return blocks ? double(fine) / blocks : 0;
}

struct Looks {
    SIZE monitor{}, monitorOutline{}, view{}, options{}, about{};
    bool secondCopyEnded = false, viewPainted = false;
    double viewDetail = 0;
    uint32_t storedWidth = 0, storedHeight = 0;
    SIZE monitorAfterChange{}, viewAfterChange{}, optionsAfterChange{};
};

// One first run at the given scale, through the monitor, the system view on the computer
// and the about box; at 96 DPI the windows are then told that they moved to a 192-DPI monitor.
Looks Measure(uint32_t dpi) {
    Looks looks;
    const e2e::DisplayScale scale(dpi);
    const e2e::InstalledSettings settings;
    {
        e2e::QuorvaneRun run{e2e::ShippedScenario("test-small.json")};
        HWND monitor = e2e::WaitForMonitor(run);
        if (!monitor) return looks;
        looks.monitor = SizeOf(monitor);
        looks.monitorOutline = OutlineSize(monitor);
        HWND view = e2e::OpenSystemView(run, monitor, 0);
        if (!view) return looks;
        looks.view = SizeOf(view);
        e2e::Image shot;
        // A frame just opened may not have painted yet: its middle shows the tree's grey once it has.
        looks.viewPainted = e2e::WaitUntil([&] {
            shot = e2e::CaptureWindow(view);
            return shot.ColorAt(shot.width / 2, shot.height / 2) == RGB(224, 224, 224);
        }, 10000);
        looks.viewDetail = FineDetail(shot);
        e2e::SaveScreenshot(shot, "display-scale-" + std::to_string(dpi) + "-system-view");
        e2e::SaveScreenshot(e2e::CaptureWindow(monitor), "display-scale-" + std::to_string(dpi) + "-monitor");
        // "Set Options" at the pane's top right, where it is at 96 DPI, scaled.
        const RECT v = Rect(view);
        e2e::ClickAt(v.left + int(509 * dpi / 96.0), v.top + int(42 * dpi / 96.0));
        if (const e2e::ModalBox options = e2e::WaitForModalBox(run.Id(), kTimeoutMs); options.window) {
            looks.options = SizeOf(options.window);
            if (dpi == 96) {  // told of a 192-DPI monitor, as the frames are below
                DWORD_PTR answer = 0;
                SendMessageTimeoutA(options.window, WM_DPICHANGED, MAKEWPARAM(192, 192), 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                                    &answer);
                looks.optionsAfterChange = SizeOf(options.window);
            }
            e2e::SaveScreenshot(e2e::CaptureWindow(options.window), "display-scale-" + std::to_string(dpi) + "-options");
            e2e::CloseModalBoxes(run.Id());
            e2e::WaitUntil([&] { return e2e::FindModalBoxes(run.Id()).empty(); }, kTimeoutMs);
        }
        if (e2e::ChooseFromTrayMenu(run, {VK_DOWN, VK_DOWN, VK_RETURN})) {  // "About Quorvane"
            const e2e::ModalBox about = e2e::WaitForModalBox(run.Id(), kTimeoutMs);
            if (about.window) {
                looks.about = SizeOf(about.window);
                e2e::SaveScreenshot(e2e::CaptureWindow(about.window), "display-scale-" + std::to_string(dpi) + "-about");
            }
            e2e::CloseModalBoxes(run.Id());
        }
        {
            e2e::QuorvaneRun second;
            looks.secondCopyEnded = second.Program().ExitCode(kTimeoutMs) == 0 && !run.Program().WaitForExit(0);
        }
        if (dpi == 96) {
            DWORD_PTR answer = 0;
            for (HWND window : {monitor, view})
                SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), 0, SMTO_ABORTIFHUNG, kTimeoutMs, &answer);
            looks.monitorAfterChange = SizeOf(monitor);
            looks.viewAfterChange = SizeOf(view);
        }
        // "Exit", which saves the placement.
        if (e2e::ChooseFromTrayMenu(run, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}))
            run.Program().WaitForExit(kTimeoutMs);
    }
    looks.storedWidth = settings.Get("Monitor.right").value_or(0) - settings.Get("Monitor.left").value_or(0);
    looks.storedHeight = settings.Get("Monitor.bottom").value_or(0) - settings.Get("Monitor.top").value_or(0);
    return looks;
}

void ExpectScaled(SIZE at, SIZE base, double factor, const char* what) {
    EXPECT_NEAR(at.cx, base.cx * factor, 1) << what;
    EXPECT_NEAR(at.cy, base.cy * factor, 1) << what;
}

TEST(DisplayScale, EachWindowIsItsScaledSizeAndOutlineDrawnFinerWithItsPlacementKeptIn96DpiUnits) {
    const Looks base = Measure(96);
    ASSERT_GT(base.monitor.cx, 0);
    ASSERT_GT(base.options.cx, 0);
    ASSERT_GT(base.about.cx, 0);
    ASSERT_GT(base.storedHeight, 0u);
    // Told of a 192-DPI monitor, the windows lay themselves out at twice their size.
    ExpectScaled(base.monitorAfterChange, base.monitor, 2, "monitor after WM_DPICHANGED");
    ExpectScaled(base.viewAfterChange, base.view, 2, "system view after WM_DPICHANGED");
    ExpectScaled(base.optionsAfterChange, base.options, 2, "options dialog after WM_DPICHANGED");
    for (const auto& [dpi, factor] : {std::pair{144u, 1.5}, std::pair{192u, 2.0}}) {
        SCOPED_TRACE("LogPixels " + std::to_string(dpi));
        const Looks at = Measure(dpi);
        ExpectScaled(at.monitor, base.monitor, factor, "monitor");
        ExpectScaled(at.monitorOutline, base.monitorOutline, factor, "monitor's outline");
        ExpectScaled(at.view, base.view, factor, "system view");
        ExpectScaled(at.options, base.options, factor, "options dialog");
        ExpectScaled(at.about, base.about, factor, "about box");
        EXPECT_TRUE(at.secondCopyEnded) << "a second copy did not end, or ended the first";
        EXPECT_TRUE(at.viewPainted) << "the system view's middle never showed the tree";
        if (factor == 2) EXPECT_GT(at.viewDetail, 0.05) << "the system view looks enlarged from 96-DPI pixels";
        EXPECT_EQ(at.storedWidth, base.storedWidth);
        EXPECT_EQ(at.storedHeight, base.storedHeight);
    }
}

}  // namespace
