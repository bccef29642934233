// The system view's option dialogs: what they save is stored and shows at once; a cancel writes nothing.
#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include "tests/e2e/QuorvaneRun.h"
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/LinsettControl.h"
#include "tests/support/TopWindows.h"

namespace {

using e2e::Rect;
constexpr DWORD kTimeoutMs = 30000;
// The dialogs' widths tell them apart: all are standard dialog windows of the program.
constexpr int kDeviceOptions = 360, kIconChooser = 462, kSystemOptions = 300, kAboutBox = 490;

// A press on a point of a window, given in the window's own coordinates.
void ClickIn(HWND window, int x, int y) {
    const RECT r = Rect(window);
    e2e::ClickAt(r.left + x, r.top + y);
}

bool Closes(HWND dialog) {
    return e2e::WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kTimeoutMs);
}

class Dialogs : public e2e::SmallRunTest {
protected:
    // "Set Options" of the pane at the frame's top right, then the dialog it opens.
    HWND OpenOptions(HWND frame, int width) {
        ClickIn(frame, 24 + 553 - 125 + 57, 24 + 10 + 8);
        return DialogOfWidth(width);
    }
    HWND DialogOfWidth(int width) {
        HWND found = nullptr;
        e2e::WaitUntil([&] {
            for (const e2e::ModalBox& box : e2e::FindModalBoxes(run.Id()))
                if (IsWindowVisible(box.window) && Rect(box.window).right - Rect(box.window).left == width)
                    found = box.window;
            return found != nullptr;
        }, kTimeoutMs);
        return found;
    }
    // The device options' name field: the edit control under the middle of its row.
    static HWND NameField(HWND dialog) { return WindowFromPoint({Rect(dialog).left + 280, Rect(dialog).top + 49}); }
    static std::string Text(HWND edit) {
        char text[80] = "";
        SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    static void Save(HWND dialog, int x, int y) {
        ClickIn(dialog, x + 28, y + 8);
        e2e::MoveMouseTo(1200, 1000);
    }
    std::string State(const std::string& name = "linsett-state.json") const {
        std::ifstream file(run.Folder() + "\\Quorvane\\" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    // The state file's line for one device: its name, texts and icon.
    std::string Record(const std::string& key) const {
        const std::string state = State();
        const size_t at = state.find("\"" + key + "\": {");
        return at == std::string::npos ? std::string() : state.substr(at, state.find('\n', at) - at);
    }
    // The pane's name line, and a whole tile without its light.
    static e2e::Image NameArea(HWND frame) {
        const RECT f = Rect(frame);
        return e2e::CaptureScreen({f.left + 24 + 70, f.top + 24 + 6, f.left + 24 + 300, f.top + 24 + 20});
    }
    // The name line once the frame has painted it: dark text on the light pane, the same in
    // two looks in a row. A frame just opened may not have painted yet, and a picture taken
    // then matches nothing the program ever shows.
    static e2e::Image PaintedNameArea(HWND frame) {
        e2e::Image last = NameArea(frame), now;
        e2e::WaitUntil([&] {
            now = NameArea(frame);
            const bool dark = std::any_of(now.pixels.begin(), now.pixels.end(), [](uint32_t p) { return (p & 0xFF) < 0x40; });
            const bool light = std::any_of(now.pixels.begin(), now.pixels.end(), [](uint32_t p) { return (p & 0xFF) > 0x80; });
            const bool same = now.pixels == last.pixels;
            last = now;
            return dark && light && same;
        }, kTimeoutMs);
        return now;
    }
    e2e::Image Tile(int row) const {
        const RECT m = Rect(monitor);
        return e2e::CaptureScreen({m.left + 4, m.top + 18 + 29 * row, m.left + 130, m.top + 18 + 29 * (row + 1)});
    }
};

// The library's tests hold that a saved name outlives the run, the reorder's that runs share the state.
TEST_F(Dialogs, ARenameIsSavedAndShownWhileDefaultThenCancelChangesNothing) {
    HWND frame = OpenFromTile(1);
    ASSERT_NE(frame, nullptr);
    const e2e::Image shownBefore = PaintedNameArea(frame);
    HWND dialog = OpenOptions(frame, kDeviceOptions);
    ASSERT_NE(dialog, nullptr) << "no device options";
    e2e::SaveScreenshot(e2e::CaptureWindow(dialog), "device-options");
    SendMessageA(NameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Zed"));
    Save(dialog, 290, 150);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_NE(Record("keys").find("\"name\": \"Zed\""), std::string::npos) << Record("keys");
    ASSERT_TRUE(e2e::WaitUntil([&] { return NameArea(frame).pixels != shownBefore.pixels; }, kTimeoutMs));
    const e2e::Image renamed = PaintedNameArea(frame);
    const std::string saved = State();
    // The history's entry: event, key, the new name, and (after the place) the old one.
    std::string history;
    const auto recorded = [&] {
        return (history = State("quorvane-history.txt")).find("\trenamed\tkeys\tZed\t") != std::string::npos;
    };
    ASSERT_TRUE(e2e::WaitUntil(recorded, kTimeoutMs)) << history;
    EXPECT_NE(history.find("\tKeys\t"), std::string::npos) << history;
    dialog = OpenOptions(frame, kDeviceOptions);
    ASSERT_NE(dialog, nullptr);
    ClickIn(dialog, 160 + 28, 150 + 8);  // "Default"
    EXPECT_TRUE(e2e::WaitUntil([&] { return Text(NameField(dialog)) == "Keys"; }, kTimeoutMs));
    Save(dialog, 225, 150);  // "Cancel"
    ASSERT_TRUE(Closes(dialog));
    EXPECT_EQ(State(), saved);
    EXPECT_EQ(PaintedNameArea(frame).pixels, renamed.pixels);
    EXPECT_EQ(State("quorvane-history.txt"), history);
}

TEST_F(Dialogs, TheIconChooserOpensOnTheIconsFolderAndItsChoiceIsSavedAndShown) {
    HWND frame = OpenFromTile(1);
    ASSERT_NE(frame, nullptr);
    const e2e::Image tileBefore = Tile(1);
    HWND dialog = OpenOptions(frame, kDeviceOptions);
    ASSERT_NE(dialog, nullptr);
    ClickIn(dialog, 115 + 28, 65 + 8);  // "Change"
    HWND chooser = DialogOfWidth(kIconChooser);
    ASSERT_NE(chooser, nullptr) << "no icon chooser";
    e2e::SaveScreenshot(e2e::CaptureWindow(chooser), "icon-chooser");
    // The fourth column of the second row: the keyboard's folder "Input" holds 0, 4, 5, ...
    ClickIn(chooser, 182 + 38 * 3 + 20, 45 + 38 * 1 + 20);
    Save(chooser, 392, 270);
    ASSERT_TRUE(Closes(chooser));
    Save(dialog, 290, 150);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_NE(Record("keys").find("\"icon\": 4, \"icon_group\": 3"), std::string::npos) << Record("keys");
    EXPECT_TRUE(e2e::WaitUntil([&] { return Tile(1).pixels != tileBefore.pixels; }, kTimeoutMs)) << "same picture";
}

// The dialog's own tests hold what it stores for each choice; here the program acts on it at once.
TEST_F(Dialogs, SystemOptionsApplyLightsAndAlertsAtOnce) {
    HWND frame = OpenFromTile(0);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(LightsMove());
    HWND dialog = OpenOptions(frame, kSystemOptions);
    ASSERT_NE(dialog, nullptr) << "no system options";
    e2e::SaveScreenshot(e2e::CaptureWindow(dialog), "system-options");
    ClickIn(dialog, 30 + 6, 60 + 6);  // "Show real-time transmission lights"
    Save(dialog, 232, 200);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_EQ(settings.Get("ShowTransmissionLight"), 0u);
    // Once the tiles are drawn again the lights stay still: a whole second without a change.
    EXPECT_TRUE(e2e::WaitUntil([&] { return !LightsMove(1000); }, kTimeoutMs)) << "the lights kept moving";

    // "All errors": the disk's slowness brings the hidden monitor and the system view forward.
    ShowWindow(monitor, SW_HIDE);  // closing it would close the system view as well
    dialog = OpenOptions(frame, kSystemOptions);
    ASSERT_NE(dialog, nullptr);
    // The track right of the knob: the knob moves there on screen at once.
    auto slider = [&] {
        const RECT r = Rect(dialog);
        return e2e::CaptureScreen({r.left + 60, r.top + 110, r.left + 250, r.top + 140}).pixels;
    };
    const auto before = slider();
    ClickIn(dialog, 50 + 30 + 110, 100 + 20 + 8);
    EXPECT_TRUE(e2e::WaitUntil([&] { return slider() != before; }, kTimeoutMs)) << "the knob stayed where it was";
    Save(dialog, 232, 200);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_EQ(settings.Get("AlertSensitivity"), 2u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(monitor) != FALSE; }, kTimeoutMs));
    // The monitor comes forward first, then the system view.
    EXPECT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == frame; }, kTimeoutMs));
}

TEST_F(Dialogs, EscapeAndAnUnplugCancelWhileEnterInTheNameSaves) {
    HWND frame = OpenFromTile(1);
    ASSERT_NE(frame, nullptr);
    for (const WORD key : {VK_ESCAPE, VK_RETURN}) {
        const std::string before = State();
        HWND dialog = OpenOptions(frame, kDeviceOptions);
        ASSERT_NE(dialog, nullptr);
        ClickIn(dialog, 280, 49);  // typing in the name field
        e2e::PressKey('Q');
        std::string typed;
        const auto typedQ = [&] { return (typed = Text(NameField(dialog))).find_first_of("qQ") != std::string::npos; };
        ASSERT_TRUE(e2e::WaitUntil(typedQ, kTimeoutMs));
        e2e::PressKey(key);
        EXPECT_TRUE(Closes(dialog)) << key;
        if (key == VK_ESCAPE) EXPECT_EQ(State(), before);
        else EXPECT_NE(Record("keys").find("\"name\": \"" + typed + "\""), std::string::npos) << Record("keys");
    }
    // The keyboard unplugged while its options are open: they close, writing nothing.
    const std::string before = State();
    HWND dialog = OpenOptions(frame, kDeviceOptions);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(NameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Gone"));
    EXPECT_EQ(e2e::SendLinsettCommand(run.Id(), "unplug keys").substr(0, 2), "ok");
    EXPECT_TRUE(Closes(dialog)) << "the dialog outlived its device";
    EXPECT_EQ(State(), before);
    // The program ended (as from the tray) while the system view's dialog is open: in order.
    ASSERT_NE(OpenOptions(frame, kSystemOptions), nullptr);
    SendMessageTimeoutA(e2e::ApplicationWindow(run), WM_QUIT, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
    EXPECT_EQ(run.Program().ExitCode(kTimeoutMs), 0u);
}

TEST_F(Dialogs, AResumeEndsTheOpenOptionsAsCancelledAndTheProgramGoesOn) {
    const std::string state = State();
    const std::optional<uint32_t> lights = settings.Get("ShowTransmissionLight");
    // Each case: the tile, what is open and edited, and where "Save" was.
    struct Case { int row; bool chooser; POINT save; } cases[] = {
        {1, false, {290, 150}}, {1, true, {290, 150}}, {0, false, {232, 200}}};
    for (const Case& c : cases) {
        HWND dialog = OpenOptions(OpenFromTile(c.row), c.row ? kDeviceOptions : kSystemOptions);
        ASSERT_NE(dialog, nullptr) << c.row;
        if (c.row) SendMessageA(NameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Woken"));
        else ClickIn(dialog, 30 + 6, 60 + 6);  // "Show real-time transmission lights"
        HWND chooser = nullptr;
        if (c.chooser) {
            ClickIn(dialog, 115 + 28, 65 + 8);  // "Change"
            ASSERT_NE(chooser = DialogOfWidth(kIconChooser), nullptr);
        }
        const int rebuilds = run.Rebuilds();
        const HWND application = e2e::ApplicationWindow(run);
        SendMessageTimeoutA(application, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
        ASSERT_TRUE(run.WaitForRebuilds(rebuilds + 1, kTimeoutMs)) << "no restart of the library";
        // What a user would do next: the chooser gone or not, save what was typed.
        if (!chooser && IsWindowVisible(dialog)) Save(dialog, c.save.x, c.save.y);
        EXPECT_TRUE(!chooser || Closes(chooser)) << "the icon chooser outlived the resume";
        EXPECT_TRUE(Closes(dialog)) << "the dialog outlived the resume: " << c.row;
        EXPECT_EQ(State(), state);
        EXPECT_EQ(settings.Get("ShowTransmissionLight"), lights);
        ASSERT_FALSE(run.Program().WaitForExit(0)) << "the program ended";
    }
    EXPECT_EQ(e2e::SendLinsettCommand(run.Id(), "dump").substr(0, 2), "ok") << "the program does not answer";
}

TEST_F(Dialogs, TheTraysAboutOpensOverTheSystemOptionsWhichWorkOnceItIsClosed) {
    HWND dialog = OpenOptions(OpenFromTile(0), kSystemOptions);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(e2e::ChooseFromTrayMenu(run, {VK_DOWN, VK_DOWN, VK_RETURN}));  // "About Quorvane"
    HWND about = DialogOfWidth(kAboutBox);
    ASSERT_NE(about, nullptr) << "no about box";
    const RECT a = Rect(about);
    EXPECT_EQ(GetAncestor(WindowFromPoint({(a.left + a.right) / 2, (a.top + a.bottom) / 2}), GA_ROOT), about)
        << "the about box is behind";
    ClickIn(about, 303 + 28, 281 + 8);  // "Done"
    ASSERT_TRUE(Closes(about));
    Save(dialog, 232, 200);
    ASSERT_TRUE(Closes(dialog)) << "the system options no longer work";
    EXPECT_EQ(settings.Get("AlwaysOnTop"), 1u);
}

}  // namespace
