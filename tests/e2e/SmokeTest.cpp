// Proves the harness on a window of its own: start, find, click, read pixels, answer a
// modal box, close, and see the program end cleanly.
#include <gtest/gtest.h>

#include "tests/e2e/driver/Capture.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/Paths.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/TopWindows.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;
const COLORREF kRed = RGB(220, 30, 30), kGreen = RGB(30, 200, 60), kBlue = RGB(40, 60, 220);

COLORREF CentreColour(HWND window) {
    e2e::Image image = e2e::CaptureWindow(window);
    return image.Empty() ? CLR_INVALID : image.ColorAt(image.width / 2, image.height / 2);
}

TEST(Smoke, ClickReadPixelAnswerBoxAndClose) {
    e2e::Process smoke = e2e::Process::Start("\"" + e2e::BinDir() + "\\e2e_smoke_window.exe\"");
    ASSERT_TRUE(smoke.Started());

    HWND window = e2e::WaitForWindow("QuorvaneSmoke", "Smoke", smoke.Id(), kTimeoutMs);
    ASSERT_NE(window, nullptr) << "the smoke window did not appear";
    ASSERT_TRUE(e2e::WaitUntil([&] { return CentreColour(window) == kRed; }, kTimeoutMs))
        << "centre pixel is " << std::hex << CentreColour(window);

    POINT centre = e2e::CentreOf(window);
    e2e::ClickAt(centre.x, centre.y);
    EXPECT_TRUE(e2e::WaitUntil([&] { return CentreColour(window) == kGreen; }, kTimeoutMs))
        << "a left click did not reach the window";

    e2e::ClickAt(centre.x, centre.y, e2e::MouseButton::Right);
    e2e::ModalBox box = e2e::WaitForModalBox(smoke.Id(), kTimeoutMs);
    ASSERT_NE(box.window, nullptr) << "no message box after a right click";
    EXPECT_EQ(box.title, "Smoke");
    EXPECT_NE(box.text.find("Smoke box"), std::string::npos) << box.text;
    EXPECT_EQ(e2e::CloseModalBoxes(smoke.Id()), 1);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FindModalBoxes(smoke.Id()).empty(); }, kTimeoutMs));
    EXPECT_TRUE(e2e::WaitUntil([&] { return CentreColour(window) == kBlue; }, kTimeoutMs));

    EXPECT_FALSE(e2e::SaveScreenshot(e2e::CaptureWindow(window), "smoke").empty());

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(smoke.WaitForExit(kTimeoutMs, &exitCode)) << "the smoke window did not close";
    EXPECT_EQ(exitCode, 0u);
}

TEST(Smoke, ProcessLeftRunningIsEndedByItsOwner) {
    DWORD id = 0;
    {
        e2e::Process smoke = e2e::Process::Start("\"" + e2e::BinDir() + "\\e2e_smoke_window.exe\"");
        ASSERT_TRUE(smoke.Started());
        id = smoke.Id();
        ASSERT_NE(e2e::WaitForWindow("QuorvaneSmoke", nullptr, id, kTimeoutMs), nullptr);
    }
    // The owner went out of scope: the program and its window must be gone.
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::WindowsOfProcess(id).empty(); }, kTimeoutMs));
}

TEST(Smoke, MissingProgramDoesNotStart) {
    e2e::Process missing = e2e::Process::Start("\"" + e2e::BinDir() + "\\no_such_program.exe\"");
    EXPECT_FALSE(missing.Started());
    EXPECT_FALSE(missing.WaitForExit(0));
}

}  // namespace
