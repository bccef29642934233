// The alert slider; the system options dialog run modally on the registry, its requests noted.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "base/Settings.h"
#include "dialogs/DialogHost.h"
#include "dialogs/SystemOptionsDialog.h"
#include "model/DriverInterface.h"
#include "tests/support/Registry.h"
#include "tests/unit/framework/ElementHost.h"

namespace {

namespace reg = e2e::registry;
using elements_test::At;
using AlertSlider = elements_test::ElementKinds;

TEST_F(AlertSlider, APressStepsOncePastTheKnobADragTakesTheNearestLevelAndOnlyChangesAreTold) {
    LevelSlider slider(&holder, 13);
    struct Press { int from, x, to; } presses[] = {{0, 100, 1}, {1, 100, 2}, {2, 5, 1}, {1, 5, 0}, {0, 5, 0}, {1, 70, 1}};
    for (const Press& c : presses) {
        slider.SetValue(c.from), holder.commands.clear(), slider.SetValue(c.from);  // the second changes nothing
        host.Down(c.x, 8), host.Up(c.x, 8);
        EXPECT_EQ(slider.GetValue(), c.to) << c.from << " pressed at " << c.x;
        EXPECT_EQ(holder.commands, std::vector<int>(c.from != c.to, 13)) << c.from << " pressed at " << c.x;
    }
    const auto& knob = static_cast<const PushButton&>(*slider.Children().front());
    host.Down(LevelSlider::KnobX(1) + 4, 6);
    struct Step { int x, y, value; bool pressed; } steps[] = {
        {31, 6, 0, true}, {32, 6, 1, true}, {97, 6, 1, true}, {98, 6, 2, true}, {50, 30, 2, false}, {10, 6, 0, true}};
    for (const Step& s : steps) {
        host.Move(s.x, s.y);
        EXPECT_EQ(slider.GetValue(), s.value) << s.x << "," << s.y;
        EXPECT_EQ(knob.IsPressed(), s.pressed) << s.x << "," << s.y;
    }
    host.Up(10, 6);
    EXPECT_EQ(holder.commands, std::vector<int>(4, 13)) << "one notice per change, none for the knob's own";
}

std::vector<std::string> calls;  // the host's and the library's SaveChange, each with the store then
std::function<void(HWND)> user;  // what the user does once the dialog is up

const char* const kNames[] = {"AutoLaunch", "ShowTransmissionLight", "AlwaysOnTop", "AlertSensitivity"};
// The four settings as stored: each a digit, or '-' while missing.
std::string Stored() {
    std::string s;
    for (const char* name : kNames)
        if (auto v = reg::GetDword(HKEY_CURRENT_USER, Settings::kKeyPath, name)) s += char('0' + *v); else s += '-';
    return s;
}
void Note(const std::string& what) { calls.push_back(what + " " + Stored()); }
// The dialog of this thread, while it is up.
HWND OpenDialog() {
    HWND w = FindWindowA("#32770", nullptr);
    return GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() ? w : nullptr;
}
void CALLBACK Act(HWND, UINT, UINT_PTR id, DWORD) { KillTimer(nullptr, id), user(OpenDialog()); }
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { EndDialog(OpenDialog(), 99); }

struct NotedHost : DialogHost {
    void SetAlwaysOnTop(bool on) override { Note(on ? "on top" : "not on top"); }
    void SetLights(bool on) override { Note(on ? "lights on" : "lights off"); }
    void SetAutoLaunch(bool on) override { Note(on ? "shortcuts made" : "shortcuts removed"); }
    void AlertSensitivityChanged(int32_t level) override { Note("alert check " + std::to_string(level)); }
    void LockMainWindows(bool) override {}
    void OpenMakerWebSite() override {}
} notedHost;

class SystemOptions : public elements_test::ElementKinds {
protected:
    static void SetUpTestSuite() {
        ElementKinds::SetUpTestSuite();
        DriverInterface::Instance().UseEntryPoints({.saveChange = [] { return Note("library saved"), 1; }});
    }
    // Both keys start empty, whatever an earlier run left in the prefix.
    void SetUp() override { ElementKinds::SetUp(), TearDown(); }
    void TearDown() override {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) reg::DeleteTree(root, "Software\\Tarvex");
    }

    // Runs the dialog as the user would; one still open after the guard's time ends as 99.
    static int Run(std::function<void(HWND)> act) {
        user = std::move(act);
        SetTimer(nullptr, 0, 0, Act);
        UINT_PTR guard = SetTimer(nullptr, 0, 5000, GiveUp);
        const int result = RunSystemOptions(nullptr, notedHost);
        KillTimer(nullptr, guard);
        return result;
    }
};

TEST_F(SystemOptions, StartsFromTheStoreAndSavesInOrderOrLeavesEverythingOnCancel) {
    struct Click { int x, y; bool right = false; };
    // The boxes, the track right of the knob at 1 (it ends at 154) and at 0 (at 89), Save, Cancel.
    const Click b1{35, 45}, b2{35, 65}, b3{35, 85}, track{180, 128}, track0{100, 128}, save{250, 208}, cancel{180, 208};
    struct Case { std::vector<int> stored; std::vector<Click> clicks; int result; std::vector<std::string> calls; bool outside = false; };
    const Case cases[] = {
        {{}, {{35, 45, true}, {35, 85, true}, save}, 1,  // a right press flips nothing
         {"shortcuts made 1---", "on top 111-", "lights on 1111", "library saved 1111"}},
        {{}, {b1, b2, b3, track, save}, 1,
         {"shortcuts removed 0---", "not on top 000-", "lights off 0002", "library saved 0002", "alert check 2 0002"}},
        {{0, 1, 0, 0}, {b1, track0, save}, 1,
         {"shortcuts made 1100", "not on top 1100", "lights on 1101", "library saved 1101", "alert check 1 1101"}},
        {{}, {b1, b2, b3, track, cancel}, 2, {}},
        {{0, 1, 0, 2}, {b2, track}, 2, {}, true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(reg::CreateKey(HKEY_CURRENT_USER, Settings::kKeyPath));
        for (size_t i = 0; i < c.stored.size(); ++i) reg::SetDword(HKEY_CURRENT_USER, Settings::kKeyPath, kNames[i], c.stored[i]);
        const std::string before = Stored(), name = "system_options_" + std::to_string(&c - cases);
        calls.clear();
        EXPECT_EQ(Run([&](HWND dialog) {
            UpdateWindow(dialog);
            const e2e::Image shot = e2e::CaptureWindow(dialog);
            e2e::SaveScreenshot(shot, name);
            LOGBRUSH panel{};
            GetObjectA(GetSharedBrush(SharedBrush::Grey224), sizeof panel, &panel);
            EXPECT_EQ(shot.ColorAt(280, 180), panel.lbColor) << "the panel under the choices";
            for (const Click& k : c.clicks) {
                SendMessageA(dialog, k.right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, k.right ? MK_RBUTTON : MK_LBUTTON, At(k.x, k.y));
                SendMessageA(dialog, k.right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, At(k.x, k.y));
            }
            if (c.outside && IsSystemOptionsOpen()) CancelSystemOptions();
        }), c.result) << name;
        EXPECT_EQ(calls, c.calls) << name;
        EXPECT_FALSE(IsSystemOptionsOpen());
        if (c.result == 2) { EXPECT_EQ(Stored(), before) << name; }  // nothing written
        TearDown();
    }
}

}  // namespace
