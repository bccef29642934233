// A device that fails seriously while the user asked for serious alerts brings the hidden
// monitoring window back and the system view on the computer, and its tile marker blinks
// against the tray image until it is mended.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/LinsettControl.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;

bool IsReddish(uint32_t pixel) {
    int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return r > 150 && g < 110 && b < 110;
}

// The tray's client area only: its caption carries a red glass of its own.
e2e::Image TrayIcons(HWND tray) {
    RECT client{};
    GetClientRect(tray, &client);
    POINT origin{0, 0};
    ClientToScreen(tray, &origin);
    return e2e::CaptureScreen({origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
}

bool AnyRed(const e2e::Image& image) {
    for (uint32_t pixel : image.pixels)
        if (IsReddish(pixel)) return true;
    return false;
}

TEST(Alert, SeriousFailureBringsTheViewsBackAndFlashesUntilMendedAtEachScale) {
  for (const int dpi : {96, 192}) {
    SCOPED_TRACE("LogPixels " + std::to_string(dpi));
    const e2e::DisplayScale scale(dpi);
    const auto at = [dpi](int v) { return v * dpi / 96; };  // a 96-DPI offset on this display
    const e2e::InstalledSettings settings;
    settings.Set("AlertSensitivity", 1);
    settings.Set("ShowTransmissionLight", 0);  // nothing else moves
    // Right of where the system view opens, so that it does not cover the monitor.
    settings.PlaceMonitor(dpi == 96 ? 820 : 20, 150, 4);
    // No timeline: only this test changes a severity.
    QuorvaneRun run(e2e::ShippedScenario("test-small.json"));
    HWND monitor = e2e::WaitForMonitor(run, kTimeoutMs);
    ASSERT_NE(monitor, nullptr);
    // Without a desktop tray Wine shows the icons in a window of its own.
    HWND tray = e2e::WaitForWindow(nullptr, "Wine System Tray", 0, kTimeoutMs);
    ASSERT_NE(tray, nullptr) << "the tray icon was not added";

    // A severity-3 failure is below "serious errors only": nothing comes forward.
    PostMessageA(monitor, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(monitor); }, kTimeoutMs));
    ASSERT_TRUE(run.Change("severity disk 3 Slow writes"));
    EXPECT_FALSE(IsWindowVisible(monitor)) << "a harmless failure opened the window";

    EXPECT_EQ(e2e::SendLinsettCommand(run.Id(), "severity disk 4 Write failure").substr(0, 2), "ok");
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(monitor) != FALSE; }, kTimeoutMs))
        << "a serious failure did not bring the monitor back";
    const HWND frame = e2e::WaitForWindow("ElxWnd", "Quorvane", run.Id(), kTimeoutMs);
    ASSERT_NE(frame, nullptr) << "no system view opened";
    // Scaled, the view is too wide for this screen beside the monitor: it is moved clear.
    if (dpi != 96) SetWindowPos(frame, nullptr, 420, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    e2e::MoveMouseTo(1000, 900);

    // The disk is the third tile (after the computer and the keyboard); its marker, at the
    // tile's left, and the tray image blink (in opposite phase, which the unit tests hold).
    const int markerX = at(42), markerY = at(18 + 12 + 29 * 2 + 7);
    std::set<std::string> seen;
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const e2e::Image window = e2e::CaptureWindow(monitor);
        bool marker = false;  // any red in the marker's square: its centre is the white cross
        for (int dy = -at(7); dy <= at(7) && !window.Empty(); ++dy)
            for (int dx = -at(7); dx <= at(7); ++dx) marker = marker || IsReddish(window.At(markerX + dx, markerY + dy));
        seen.insert({marker ? "marker shown" : "marker hidden", AnyRed(TrayIcons(tray)) ? "tray alert" : "tray normal"});
        return seen.size() == 4;
    }, kTimeoutMs)) << seen.size() << " of the marker's and the tray's two looks seen";
    e2e::SaveScreenshot(e2e::CaptureWindow(monitor), "monitor-alert-" + std::to_string(dpi));

    // The system view shows the first record that alerts, the computer, whose severity is the
    // worst of its devices': its "About Quorvane" opens the about box.
    e2e::ClickAt(e2e::Rect(frame).left + at(385), e2e::Rect(frame).top + at(76));
    EXPECT_NE(e2e::WaitForModalBox(run.Id(), kTimeoutMs).window, nullptr) << "the system view shows another node";
    e2e::CloseModalBoxes(run.Id());
    // Mended, the disk alerts no more: the flashing ends, the tray image stays normal.
    ASSERT_TRUE(run.Change("severity disk 0 Fine again"));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::WaitUntil([&] { return AnyRed(TrayIcons(tray)); }, 1000); },
                               kTimeoutMs)) << "the tray image kept flashing";
  }
}

}  // namespace
