#include "driver/FileIo.h"

#include <windows.h>

#include <utility>

namespace linsett {

namespace {

constexpr LONGLONG kMaxFileBytes = 64 << 20;

// The system's wording of the last error, with its number.
std::string LastError() {
    DWORD code = GetLastError();
    char text[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.')) --length;
    return (length ? std::string(text, length) + ", " : std::string()) + "error " + std::to_string(code);
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

ReadResult ReadWholeFile(const std::string& path, std::string& text, std::string& reason) {
    text.clear();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
    if (size.QuadPart > kMaxFileBytes) {
        reason = "larger than " + std::to_string(kMaxFileBytes >> 20) + " MB";
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
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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
            DeleteFileA(temporary.c_str());
            return false;
        }
    }
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    reason = "replacing " + path + ": " + LastError();
    DeleteFileA(temporary.c_str());
    return false;
}

std::string SetAside(const std::string& path, const char* label) {
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
    for (int n = 1; n < 1000; ++n) {
        std::string aside = path.substr(0, dot) + "." + label + "-" + std::to_string(n) + path.substr(dot);
        if (GetFileAttributesA(aside.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        if (MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) return aside;
        return {};
    }
    return {};
}

}  // namespace linsett
