#include "app/LaunchPaths.h"

namespace launch_paths {

namespace {
constexpr size_t kMaxShortcutPath = 255;
constexpr size_t kMaxPath = 259;

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

size_t LastSeparator(std::wstring_view path) { return path.find_last_of(L"\\/"); }
}  // namespace

bool IsWebAddress(std::wstring_view text) {
    size_t scheme = 0;
    if (StartsWithNoCase(text, L"http://")) scheme = 7;
    else if (StartsWithNoCase(text, L"https://")) scheme = 8;
    if (!scheme || text.size() == scheme) return false;
    for (wchar_t c : text)
        if (c <= L' ' || c == 0x7F || c == L'"' || c == L'<' || c == L'>' || c == L'`') return false;
    return true;
}

std::wstring StartupShortcut(std::wstring_view folder, bool folderRead) {
    // An empty folder would put the shortcut at the root of the current drive.
    if (!folderRead || folder.empty()) return {};
    std::wstring path = std::wstring(folder) + L"\\Quorvane.lnk";
    return path.size() <= kMaxShortcutPath ? path : std::wstring();
}

std::wstring InFolder(std::wstring_view folder, std::wstring_view name) {
    std::wstring path(folder);
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) path += L'\\';
    path += name;
    return path.size() <= kMaxPath ? path : std::wstring();
}

std::wstring_view FolderOf(std::wstring_view path) {
    const size_t at = LastSeparator(path);
    return at == std::wstring_view::npos ? std::wstring_view() : path.substr(0, at);
}

std::wstring_view NameOf(std::wstring_view path) {
    const size_t at = LastSeparator(path);
    return at == std::wstring_view::npos ? path : path.substr(at + 1);
}

bool IsPlainFileName(std::wstring_view name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (wchar_t c : name)
        if (c < L' ' || c == L'\\' || c == L'/' || c == L':') return false;
    return true;
}

}  // namespace launch_paths
