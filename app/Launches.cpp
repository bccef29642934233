#include "app/Launches.h"

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <initializer_list>

#include "app/LaunchPaths.h"
#include "base/FormatText.h"
#include "base/Settings.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace {

struct StartupFolder {
    HKEY root;
    const wchar_t* subkey;
    const wchar_t* value;
};
const StartupFolder kStartupFolders[2] = {
    {HKEY_USERS, L".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Startup"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Common Startup"},
};
constexpr int kAllUsersFolder = 1;

// The folder's value as text, whatever type it is stored as; false when it cannot be read
// into 256 characters.
bool ReadFolder(const StartupFolder& folder, std::wstring& text) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(folder.root, folder.subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    wchar_t buffer[256] = L"";
    DWORD size = sizeof buffer - sizeof(wchar_t);  // room for an end the stored text may lack
    const bool read =
        RegQueryValueExW(key, folder.value, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (read) text = buffer;
    return read;
}

std::wstring Widen(const String& text) {
    std::wstring wide(text.WideSize(), L'\0');
    text.ToWide(wide.data(), wide.size());
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

// The folder this program runs from: the only place it takes files to open or start from.
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH * 2] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) return {};
    return std::wstring(launch_paths::FolderOf(path));
}

// A folder's full, long form without a separator at its end, for comparing.
std::wstring Canonical(const std::wstring& folder) {
    wchar_t full[MAX_PATH * 2] = L"", longer[MAX_PATH * 2] = L"";
    DWORD length = GetFullPathNameW(folder.c_str(), MAX_PATH * 2, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 2) return {};
    length = GetLongPathNameW(full, longer, MAX_PATH * 2);
    std::wstring result = length && length < MAX_PATH * 2 ? longer : full;
    while (result.size() > 3 && (result.back() == L'\\' || result.back() == L'/')) result.pop_back();
    return result;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    if (a.empty() || b.empty()) return false;
    const std::wstring first = Canonical(a), second = Canonical(b);
    return !first.empty() && CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Opens an address in the user's browser. Anything but a web address is refused with the
// reason: the value is one that others may have written, and the shell would start a program
// or open a file it named. A refusal by the shell is shown with the system's text.
void OpenAddress(const char* settingName) {
    std::wstring address = Settings::ReadInstallationText(settingName);
    if (address.empty()) address = Widen(LoadResourceString(IDS_MAKER_URL));
    if (!launch_paths::IsWebAddress(address)) {
        ShowErrorBox(FormatText(LoadResourceString(IDS_NOT_A_WEB_ADDRESS), {String(address.c_str())}));
        return;
    }
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) ShowLastErrorBox();
}

// The help library is loaded at the first use only: most runs never open help, and a
// system without it still runs everything else.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0x0000, kHelpContext = 0x000F, kCloseAll = 0x0012;
HMODULE g_helpLibrary = nullptr;
HtmlHelpFunction g_htmlHelp = nullptr;

HtmlHelpFunction HtmlHelp() {
    if (!g_helpLibrary) {
        g_helpLibrary = LoadLibraryW(L"hhctrl.ocx");
        if (g_helpLibrary)
            g_htmlHelp = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(g_helpLibrary, "HtmlHelpW")));
    }
    return g_htmlHelp;
}

// The help file inside the program's folder: "ViewHelpURL" names it when it is a plain
// file name, or a path into that same folder; anything pointing elsewhere is ignored.
std::wstring HelpPath(const std::wstring& folder) {
    const std::wstring value = Settings::ReadInstallationText("ViewHelpURL");
    std::wstring name = Widen(LoadResourceString(IDS_HELP_FILE));
    if (launch_paths::IsPlainFileName(value)) {
        name = value;
    } else if (launch_paths::IsPlainFileName(launch_paths::NameOf(value)) &&
               SameFolder(std::wstring(launch_paths::FolderOf(value)), folder)) {
        name = launch_paths::NameOf(value);
    }
    return launch_paths::InFolder(folder, name);
}

}  // namespace

HRESULT CreateShortcut(const std::wstring& target, const std::wstring& linkPath, const std::wstring& description) {
    const HRESULT initialised = CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&link));
    if (SUCCEEDED(result)) {
        IPersistFile* file = nullptr;
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(result)) {
            link->SetPath(target.c_str());
            link->SetDescription(description.c_str());
            result = file->Save(linkPath.c_str(), TRUE);
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(initialised)) CoUninitialize();
    return result;
}

std::wstring StartupShortcutPath(int folder) {
    if (folder < 0 || folder > 1) return {};
    std::wstring text;
    const bool read = ReadFolder(kStartupFolders[folder], text);
    return launch_paths::StartupShortcut(text, read);
}

// The shortcut starts the launcher beside this program, never a path taken from the
// registry. The all-users one, which starts it for everyone who logs on, is made only when
// this program runs from the folder the installation recorded, which only administrators
// write; a copy run from anywhere else gets the default user's shortcut alone.
void CreateStartupShortcuts() {
    const std::wstring folder = ProgramFolder();
    const std::wstring target = launch_paths::InFolder(folder, L"Linsett.exe");
    if (folder.empty() || target.empty()) return;
    const bool installed = SameFolder(Settings::ReadInstallationText("InstallPath"), folder);
    for (int which : {0, kAllUsersFolder}) {
        if (which == kAllUsersFolder && !installed) continue;
        const std::wstring link = StartupShortcutPath(which);
        if (link.empty() || GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        CreateShortcut(target, link, std::wstring());
    }
}

void RemoveStartupShortcuts() {
    for (int folder : {0, kAllUsersFolder}) {
        const std::wstring link = StartupShortcutPath(folder);
        if (!link.empty()) DeleteFileW(link.c_str());
    }
}

void OpenMakerWebSite() { OpenAddress("TarvexURL"); }
void OpenUpdatePage() { OpenAddress("GetUpdateURL"); }

void ShowHelp(uint32_t context) {
    HtmlHelpFunction help = HtmlHelp();
    if (!help) return;
    const std::wstring path = HelpPath(ProgramFolder());
    if (path.empty()) return;
    help(nullptr, path.c_str(), context != 0 ? kHelpContext : kDisplayTopic, context);
}

void CloseAllHelp() {
    // Nothing was opened when the library was never loaded.
    if (g_htmlHelp) g_htmlHelp(nullptr, nullptr, kCloseAll, 0);
}
