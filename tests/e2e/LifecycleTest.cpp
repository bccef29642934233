// Start-up and its failures, the single instance, and the model following the library.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/LinsettControl.h"
#include "tests/support/Paths.h"
#include "tests/support/Registry.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::QuorvaneRun;
constexpr DWORD kTimeoutMs = 30000;
const char* const kNoHardwareText =
    "Quorvane could not find any Tarvex USB 2.0 hardware. Please verify that your Tarvex USB 2.0 hardware is "
    "properly installed or connected before launching Quorvane.";

// A box of the process, captured for the record once it has painted, and then answered.
e2e::ModalBox TakeBox(DWORD processId, const std::string& screenshot) {
    e2e::ModalBox box = e2e::WaitForModalBox(processId, kTimeoutMs);
    e2e::Image image;
    const auto painted = [&] { return std::any_of(image.pixels.begin(), image.pixels.end(), [](uint32_t p) { return p != 0; }); };
    e2e::WaitUntil([&] { return image = e2e::CaptureWindow(box.window), painted(); }, 5000);
    e2e::SaveScreenshot(image, screenshot);
    e2e::CloseModalBoxes(processId);
    return box;
}

TEST(Lifecycle, NoHardwareShowsItsMessageOnceAndEndsWithZero) {
    QuorvaneRun run(e2e::ShippedScenario("no-hardware.json"));
    ASSERT_TRUE(run.Program().Started());
    e2e::ModalBox box = TakeBox(run.Id(), "no-hardware-box");
    ASSERT_NE(box.window, nullptr) << "no message box";
    EXPECT_EQ(box.title, "Quorvane");
    EXPECT_NE(box.text.find(kNoHardwareText), std::string::npos) << box.text;

    EXPECT_EQ(run.Program().ExitCode(kTimeoutMs), 0u) << "a second box or a hang after the first";
}

// Makes Wine refuse to load msimg32 into Quorvane.exe for as long as it lives.
struct WithoutAlphaBlending {
    const std::string key = "Software\\Wine\\AppDefaults\\Quorvane.exe";
    WithoutAlphaBlending() { e2e::registry::SetString(HKEY_CURRENT_USER, key + "\\DllOverrides", "msimg32", ""); }
    ~WithoutAlphaBlending() { e2e::registry::DeleteTree(HKEY_CURRENT_USER, key); }
};

TEST(Lifecycle, MissingAlphaBlendingLibraryEndsWithMinusOne) {
    WithoutAlphaBlending noMsimg32;
    QuorvaneRun run;
    // The library would answer from the box's own message loop.
    ASSERT_NE(e2e::WaitForModalBox(run.Id(), kTimeoutMs).window, nullptr);
    EXPECT_EQ(run.Rebuilds(), 0) << "the driver interface was started";
    e2e::ModalBox box = TakeBox(run.Id(), "msimg32-box");
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.title, "Error");
    EXPECT_NE(box.text.find("Msimg32.dll required"), std::string::npos) << box.text;
    EXPECT_EQ(run.Program().ExitCode(kTimeoutMs), 0xFFFFFFFFu);
}

TEST(Lifecycle, MissingDriverLibraryIsNamedAndEndsWithMinusOne) {
    const std::string folder = e2e::NewTemporaryFolder();  // with the program alone in it
    ASSERT_TRUE(CopyFileA((e2e::BinDir() + "\\Quorvane.exe").c_str(), (folder + "\\Quorvane.exe").c_str(), FALSE));
    e2e::Process program = e2e::Process::Start("\"" + folder + "\\Quorvane.exe\"");
    e2e::ModalBox box = TakeBox(program.Id(), "no-library-box");
    EXPECT_EQ(box.title, "Error");
    EXPECT_NE(box.text.find("Linsett.dll"), std::string::npos) << box.text;
    EXPECT_EQ(program.ExitCode(kTimeoutMs), 0xFFFFFFFFu);
    e2e::RemoveFolder(folder);
}

TEST(Lifecycle, SecondCopyEndsAtOnceSilentlyAndLeavesTheFirstRunning) {
    for (bool hardware : {true, false}) {  // the first copy running, or showing its no-hardware box
        QuorvaneRun first(hardware ? "" : e2e::ShippedScenario("no-hardware.json"));
        ASSERT_TRUE(hardware ? first.WaitForRebuilds(1, kTimeoutMs)
                             : e2e::WaitForModalBox(first.Id(), kTimeoutMs).window != nullptr);
        QuorvaneRun second;  // a box of its own would keep it from ending
        ASSERT_EQ(second.Program().ExitCode(kTimeoutMs), 0u) << hardware;
        EXPECT_FALSE(first.Program().WaitForExit(0)) << "the first copy ended";
    }
}

}  // namespace
