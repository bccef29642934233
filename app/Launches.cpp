#include "app/Launches.h"

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <initializer_list>

#include "app/LaunchPaths.h"
#include "base/Settings.h"
#include "graphics/ResourceStrings.h"
#include "resources/StringIds.h"

namespace {

struct StartupFolder {
    HKEY root;
    const char* subkey;
    const char* value;
};
const StartupFolder kStartupFolders[2] = {
    {HKEY_USERS, ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Startup"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common Startup"},
};

// The folder's value as text, whatever type it is stored as; false when it cannot be read
// into 256 bytes.
bool ReadFolder(const StartupFolder& folder, String& text) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(folder.root, folder.subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    char buffer[256] = "";
    DWORD size = sizeof buffer - 1;  // room for an end the stored text may lack
    const bool read =
        RegQueryValueExA(key, folder.value, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (read) text = String(buffer);
    return read;
}

// Opens an address in the user's browser; a refusal is shown with the system's text.
void OpenAddress(const char* settingName) {
    String address = Settings::ReadString(settingName);
    if (address.Empty()) address = LoadResourceString(IDS_MAKER_URL);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", address.Chars(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) ShowLastErrorBox();
}

// The help library is loaded at the first use only: most runs never open help, and a
// system without it still runs everything else.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0x0000, kHelpContext = 0x000F, kCloseAll = 0x0012;
HMODULE g_helpLibrary = nullptr;
HtmlHelpFunction g_htmlHelp = nullptr;

HtmlHelpFunction HtmlHelp() {
    if (!g_helpLibrary) {
        g_helpLibrary = LoadLibraryA("hhctrl.ocx");
        if (g_helpLibrary)
            g_htmlHelp = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(g_helpLibrary, "HtmlHelpA")));
    }
    return g_htmlHelp;
}

}  // namespace

HRESULT CreateShortcut(const String& target, const String& linkPath, const String& description) {
    const HRESULT initialised = CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link));
    if (SUCCEEDED(result)) {
        IPersistFile* file = nullptr;
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(result)) {
            link->SetPath(target.Chars());
            link->SetDescription(description.Chars());
            wchar_t widePath[MAX_PATH] = L"";
            MultiByteToWideChar(CP_ACP, 0, linkPath.Chars(), -1, widePath, MAX_PATH);
            result = file->Save(widePath, TRUE);
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(initialised)) CoUninitialize();
    return result;
}

String StartupShortcutPath(int folder) {
    if (folder < 0 || folder > 1) return String();
    String text;
    const bool read = ReadFolder(kStartupFolders[folder], text);
    return launch_paths::StartupShortcut(text, read);
}

void CreateStartupShortcuts() {
    const String target = launch_paths::ShortcutTarget(Settings::ReadString("InstallPath"));
    if (target.Empty()) return;
    for (int folder : {0, 1}) {
        const String link = StartupShortcutPath(folder);
        if (link.Empty() || GetFileAttributesA(link.Chars()) != INVALID_FILE_ATTRIBUTES) continue;
        CreateShortcut(target, link, String());
    }
}

void RemoveStartupShortcuts() {
    for (int folder : {0, 1}) {
        const String link = StartupShortcutPath(folder);
        if (!link.Empty()) DeleteFileA(link.Chars());
    }
}

void OpenMakerWebSite() { OpenAddress("TarvexURL"); }
void OpenUpdatePage() { OpenAddress("GetUpdateURL"); }

void ShowHelp(uint32_t context) {
    HtmlHelpFunction help = HtmlHelp();
    if (!help) return;
    String file = Settings::ReadString("ViewHelpURL");
    if (file.Empty()) file = LoadResourceString(IDS_HELP_FILE);
    const String path = launch_paths::HelpFile(Settings::ReadString("InstallPath"), file);
    help(nullptr, path.Chars(), context != 0 ? kHelpContext : kDisplayTopic, context);
}

void CloseAllHelp() {
    // Nothing was opened when the library was never loaded.
    if (g_htmlHelp) g_htmlHelp(nullptr, nullptr, kCloseAll, 0);
}
