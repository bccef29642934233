#include "base/FileIo.h"

#include <windows.h>

#include <iterator>
#include <string_view>
#include <utility>

namespace fileio {

namespace {

// The system's UTF-16 as UTF-8; unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), int(utf8.size()), nullptr, nullptr);
    return utf8;
}

// A UTF-8 path as the wide functions take it.
class WidePath {
public:
    explicit WidePath(const std::string& utf8) : text_(Widen(utf8)) {}
    operator const wchar_t*() const { return text_.c_str(); }

private:
    std::wstring text_;
};

// The system's wording of the last error, with its number.
std::string LastError() {
    DWORD code = GetLastError();
    wchar_t text[256] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  DWORD(std::size(text)), nullptr);
    while (length && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L'.')) --length;
    std::string wording = Narrow(std::wstring_view(text, length));
    return (length ? wording + ", " : std::string()) + "error " + std::to_string(code);
}

std::string Size(uint64_t bytes) {
    return bytes >= (1 << 20) ? std::to_string(bytes >> 20) + " MB" : std::to_string(bytes) + " bytes";
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        bool ok = !Valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

}  // namespace

bool ReadEnvironment(const char* name, std::string& value) {
    const std::wstring key = Widen(name);
    std::wstring buffer(GetEnvironmentVariableW(key.c_str(), nullptr, 0), L'\0');
    if (buffer.empty()) return false;
    DWORD length = GetEnvironmentVariableW(key.c_str(), buffer.data(), DWORD(buffer.size()));
    if (!length || length >= buffer.size()) return false;  // emptied or grown meanwhile
    value = Narrow(std::wstring_view(buffer.data(), length));
    return true;
}

ReadResult ReadWholeFile(const std::string& path, std::string& text, std::string& reason, uint64_t maxBytes) {
    text.clear();
    FileHandle file(CreateFileW(WidePath(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return ReadResult::Absent;
        reason = LastError();
        return ReadResult::Failed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        reason = LastError();
        return ReadResult::Failed;
    }
    if (static_cast<uint64_t>(size.QuadPart) > maxBytes) {
        reason = "larger than " + Size(maxBytes);
        return ReadResult::Failed;
    }
    text.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!text.empty() && !ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
        reason = LastError();
        return ReadResult::Failed;
    }
    if (read != text.size()) {
        reason = "it ended early";
        return ReadResult::Failed;
    }
    return ReadResult::Read;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& text, std::string& reason) {
    std::string temporary = path + ".tmp";
    {
        FileHandle file(CreateFileW(WidePath(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            reason = "creating " + temporary + ": " + LastError();
            return false;
        }
        DWORD written = 0;
        bool ok = WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size() && FlushFileBuffers(file.Get());
        if (ok) ok = file.Close();
        if (!ok) {
            reason = "writing " + temporary + ": " + LastError();
            file.Close();
            DeleteFileW(WidePath(temporary));
            return false;
        }
    }
    if (MoveFileExW(WidePath(temporary), WidePath(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = "replacing " + path + ": " + LastError();
    DeleteFileW(WidePath(temporary));
    return false;
}

std::string SetAside(const std::string& path, const char* label) {
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
    for (int n = 1; n < 1000; ++n) {
        std::string aside = path.substr(0, dot) + "." + label + "-" + std::to_string(n) + path.substr(dot);
        if (Exists(aside)) continue;
        if (MoveFileExW(WidePath(path), WidePath(aside), MOVEFILE_WRITE_THROUGH)) return aside;
        return {};
    }
    return {};
}

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), int(wide.size()));
    return wide;
}

bool Exists(const std::string& path) { return GetFileAttributesW(WidePath(path)) != INVALID_FILE_ATTRIBUTES; }

void MakeParentFolder(const std::string& path) {
    CreateDirectoryW(WidePath(path.substr(0, path.find_last_of("\\/"))), nullptr);
}

}  // namespace fileio
