// Launches against values planted in the prefix's registry by a user without rights to the
// installation: nothing outside the program's folder is linked or opened; a refusal is explained.
#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <string>
#include "app/Launches.h"
#include "base/Settings.h"
#include "tests/support/Registry.h"
#include "tests/support/TopWindows.h"

namespace {

namespace reg = e2e::registry;

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// What a shortcut starts, or empty when there is none.
std::wstring LinkTarget(const std::wstring& link) {
    if (GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    CoInitialize(nullptr);
    wchar_t path[MAX_PATH] = L"";
    IShellLinkW* shell = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shell)))) {
        if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) shell->GetPath(path, MAX_PATH, nullptr, 0);
            file->Release();
        }
        shell->Release();
    }
    CoUninitialize();
    return path;
}

class Launches : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, Settings::kKeyPath));
        RemoveStartupShortcuts();
    }
    void TearDown() override {
        RemoveStartupShortcuts();
        reg::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tarvex");
    }
};

TEST_F(Launches, ShortcutsStartTheLauncherBesideTheProgramAndAllUsersOnlyWhereItWasInstalled) {
    ASSERT_FALSE(StartupShortcutPath(0).empty());
    ASSERT_FALSE(StartupShortcutPath(1).empty());
    const std::wstring launcher = ProgramFolder() + L"\\Linsett.exe";
    std::wstring upper = ProgramFolder() + L"\\";
    CharUpperW(upper.data());
    const struct { std::wstring installPath; bool allUsers; } cases[] = {
        {L"C:\\Users\\Public\\Planted", false},  // another folder: not for everyone
        {L"", false},                            // not installed at all
        {upper, true},                           // the same folder, however it is spelled
    };
    for (const auto& c : cases) {
        RemoveStartupShortcuts();
        reg::SetWideValue(HKEY_LOCAL_MACHINE, Settings::kKeyPath, "InstallPath", REG_SZ, c.installPath + L'\0');
        CreateStartupShortcuts();
        EXPECT_EQ(LinkTarget(StartupShortcutPath(0)), launcher) << c.installPath;
        EXPECT_EQ(LinkTarget(StartupShortcutPath(1)), c.allUsers ? launcher : L"") << c.installPath;
    }
}

std::string g_boxText;
void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR, DWORD) {
    for (const e2e::ModalBox& box : e2e::FindModalBoxes(GetCurrentProcessId())) g_boxText += box.text;
    e2e::CloseModalBoxes(GetCurrentProcessId());
}

TEST_F(Launches, AnAddressThatIsNotOnTheWebIsRefusedWithTheReasonInsteadOfOpened) {
    const struct { const char* setting; void (*open)(); } links[] = {
        {"GetUpdateURL", &OpenUpdatePage}, {"TarvexURL", &OpenMakerWebSite}};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseTheBox);
    for (const auto& link : links) {
        for (const char* planted : {"C:\\Users\\Public\\update.exe", "file:///C:/Users/Public/update.exe"}) {
            reg::SetString(HKEY_LOCAL_MACHINE, Settings::kKeyPath, link.setting, planted);
            g_boxText.clear();
            link.open();
            EXPECT_NE(g_boxText.find("http://"), std::string::npos) << link.setting << ": " << g_boxText;
            EXPECT_NE(g_boxText.find(planted), std::string::npos) << link.setting << ": " << g_boxText;
        }
    }
    KillTimer(nullptr, timer);
}

}  // namespace
