// The device options and icon chooser run modally over a synthetic record: a thread timer plays a
// step per tick on the enabled dialog, and ends one left open long after the last, so none hangs.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "dialogs/DeviceOptionsDialog.h"
#include "dialogs/IconChooserDialog.h"
#include "framework/SharedLook.h"
#include "graphics/StartupStrips.h"
#include "model/DeviceNode.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "model/Layout.h"
#include "tests/support/Capture.h"
#include "tests/unit/graphics/TestArt.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

using Step = std::function<void(HWND)>;
std::vector<Step> steps;
size_t nextStep = 0;
int idleTicks = 0, saves = 0;

// The dialog that takes input: a modal dialog disables its owner.
BOOL CALLBACK FindEnabledDialog(HWND w, LPARAM out) {
    char name[16] = {};
    GetClassNameA(w, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowEnabled(w) || !IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
}
HWND EnabledDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindEnabledDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    const HWND dialog = EnabledDialog();
    if (!dialog) return;
    if (nextStep < steps.size()) return steps[nextStep++](dialog);
    if (++idleTicks <= 300) return;
    ADD_FAILURE() << "a dialog stayed open";
    EndDialog(dialog, -1);
}

int Play(const std::function<int()>& run, std::vector<Step> script) {
    steps = std::move(script), nextStep = 0, idleTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    const int result = run();
    KillTimer(nullptr, timer);
    EXPECT_EQ(nextStep, steps.size()) << "the dialog ended before its last step";
    return result;
}

Step Command(int id) { return [id](HWND dialog) { PostMessageA(dialog, WM_COMMAND, WPARAM(id), 0); }; }

template <typename T>
T* Child(HWND dialog) {
    for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (T* found = dynamic_cast<T*>(ElxWnd::FromHandle(w))) return found;
    return nullptr;
}

void Click(ElxWnd* window, int x, int y) {
    SendMessageA(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The cells (row/column) whose top-left inner pixel, which no icon covers, is the selection grey.
std::string MarkedCells(IconList* list) {
    TestCanvas canvas(list->GetSize().cx, list->GetSize().cy, 0);
    list->Draw(canvas.Dc());
    std::string marked;
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 7; ++column)
            if (canvas.Pixel(38 * column + 7, 38 * row + 7) == 0xC8C8C8)
                marked += std::to_string(row) + "/" + std::to_string(column) + " ";
    return marked;
}

// The screen shows a repaint a tick later.
const Step repaint = [](HWND dialog) { RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN); };
Step Screenshot(const char* name) {
    return [name](HWND dialog) { e2e::SaveScreenshot(e2e::CaptureWindow(dialog), name); };
}

class DeviceOptions : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterElxWndClass(GetModuleHandleA(nullptr));
        LoadSharedLook(GetModuleHandleA(nullptr));
        LoadStartupStrips();
        DriverInterface::Instance().UseEntryPoints({[](HWND, const void*) -> void* { return nullptr; },
                                                    [] { return 1; }, [](void*, int) { return 1; },
                                                    [](void*, int) { return 1; }, [](int, int) { return 1; },
                                                    [] { return ++saves, 1; }});
    }
    void SetUp() override {
        saves = 0;
        namespace rec = layout::record;
        topo.SetInlineWide(record, rec::kDefaultName, L"Disk");
        topo.SetInlineWide(record, rec::kDefaultManufacturer, L"Acme");
        topo.SetInlineWide(record, rec::kDefaultDescription, L"Fast disk");
        topo.SetU16(record, rec::kDefaultFlags, 3 << layout::flags::kIconNumberShift);
        node.SetName("Mine");
        node.SetIconNumber(13);
        node.SetIconGroup(4);
    }
    std::string Written() const {
        return std::string(node.Name().Chars()) + "|" + node.Manufacturer().Chars() + "|" + node.Description().Chars() +
               "|" + std::to_string(node.IconNumber()) + "|" + std::to_string(node.IconGroup());
    }
    int Options(std::vector<Step> script) {
        return Play([this] { return RunDeviceOptions(nullptr, node); }, std::move(script));
    }
    SyntheticTopology topo;
    uintptr_t record = topo.NewRecord(layout::kDevice, "disk");
    DeviceTree tree;
    DeviceNode node{tree, record};
};

TEST_F(DeviceOptions, DefaultThenSaveWritesTheDefaultsAndGroupZeroWhileCancelWritesNothing) {
    EXPECT_EQ(Options({Command(DeviceOptionsDialog::kDefault), Command(DeviceOptionsDialog::kCancel)}), 2);
    EXPECT_EQ(Written(), "Mine|||13|4");
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(Options({Command(DeviceOptionsDialog::kDefault), Command(DeviceOptionsDialog::kSave)}), 1);
    EXPECT_EQ(Written(), "Disk|Acme|Fast disk|3|0");
    EXPECT_EQ(saves, 1);
}

TEST_F(DeviceOptions, ChooserOpensOnTheFirstFolderHoldingTheIconAndMarksItsCell) {
    const struct { int icon, folder; const char* marked; } cases[] = {{13, 5, "1/2 "}, {40, 0, ""}, {24, 3, "1/2 "}};
    for (const auto& c : cases) {
        Play([&] { return RunIconChooser(nullptr, node, {c.icon, 2}) ? 1 : 2; }, {[&](HWND dialog) {
                 EXPECT_EQ(Child<FolderList>(dialog)->Selected(), c.folder) << c.icon;
                 EXPECT_EQ(Child<IconList>(dialog)->ShownFolder(), c.folder) << c.icon;
                 EXPECT_EQ(MarkedCells(Child<IconList>(dialog)), c.marked) << c.icon;
             }, Command(IconChooserDialog::kCancel)});
    }
}

TEST_F(DeviceOptions, ACellPressChoosesThatRowsIconInTheColumnsColourAcrossFolders) {
    // Audio holds 11, 24, 20, 21: the fourth column of the second row is 24 in group 3.
    std::optional<IconChoice> chosen;
    Play([&] { return chosen = RunIconChooser(nullptr, node, {11, 0}), 0; }, {[](HWND dialog) {
        Click(Child<IconList>(dialog), 3 * 38 + 20, 38 + 20);
        Click(Child<FolderList>(dialog), 20, 7 * 22 + 10);  // Misc.: the choice stays
        EXPECT_EQ(Child<IconList>(dialog)->ShownFolder(), 7);
        EXPECT_EQ(MarkedCells(Child<IconList>(dialog)), "");
    }, Command(IconChooserDialog::kSave)});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(std::to_string(chosen->number) + "/" + std::to_string(chosen->group), "24/3");
}

TEST_F(DeviceOptions, ChangedIconIsWrittenOnSaveAndAnOutsideCancelEndsBothDialogsWritingNothing) {
    const Step pickAudio2 = [](HWND chooser) {
        Click(Child<FolderList>(chooser), 20, 3 * 22 + 10);
        Click(Child<IconList>(chooser), 2 * 38 + 20, 38 + 20);  // 24 in group 2
    };
    const Step keptChoice = [](HWND chooser) {  // on the folder of 13
        EXPECT_EQ(Child<FolderList>(chooser)->Selected(), 5) << "a cancelled chooser took the selection";
    };
    EXPECT_EQ(Options({Command(DeviceOptionsDialog::kChange), pickAudio2, Command(IconChooserDialog::kCancel),
                       Command(DeviceOptionsDialog::kChange), keptChoice, pickAudio2, Command(IconChooserDialog::kSave),
                       Command(DeviceOptionsDialog::kSave)}), 1);
    EXPECT_EQ(Written(), "Mine|||24|2");
    node.SetIconNumber(13), node.SetIconGroup(4);
    EXPECT_EQ(Options({repaint, Screenshot("device_options"), Command(DeviceOptionsDialog::kChange), pickAudio2,
                       repaint, Screenshot("icon_chooser"), Command(IconChooserDialog::kSave),
                       Command(DeviceOptionsDialog::kChange), pickAudio2, [](HWND chooser) {
                           CancelDeviceOptions();
                           EXPECT_FALSE(IsWindowVisible(chooser));
                       }}),
              2);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(Written(), "Mine|||13|4");
    EXPECT_FALSE(IsDeviceOptionsOpen());
    CancelDeviceOptions();  // nothing open: nothing happens
    topo.SetU8(record, layout::record::kKind, layout::kHub);
    topo.SetU16(record, layout::record::kFlags, 0);
    Options({[](HWND dialog) {
        const HWND change = ChildWindowFromPointEx(dialog, POINT{120, 70}, CWP_ALL);
        EXPECT_FALSE(GetWindowLongA(change, GWL_STYLE) & WS_VISIBLE) << "a hub has no icon to change";
    }, repaint, Screenshot("device_options_hub"), Command(DeviceOptionsDialog::kCancel)});
}

}  // namespace
