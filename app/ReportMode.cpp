#include "app/ReportMode.h"

#include <shellapi.h>

#include "app/HistoryRecorder.h"
#include "app/ReportExchange.h"
#include "base/HandleOwners.h"
#include "graphics/ResourceStrings.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "resources/ResourceIds.h"

namespace {

bool EndsWithJson(const std::wstring& path) {
    return path.size() >= 5 && CompareStringOrdinal(path.c_str() + path.size() - 5, 5, L".json", 5, TRUE) == CSTR_EQUAL;
}

// No copy runs: the library is started here, without a window, for its first topology
// (it comes with the start), and stopped again. No hardware gives a report of the history alone.
std::string ReportOfOwnRun(HINSTANCE instance, ReportForm form) {
    LoadHistory();
    DriverInterface& driver = DriverInterface::Instance();
    if (driver.Start(instance)) {
        TheDeviceTree().Attach(driver.TreeWindow(), driver.RootBlock());
        TheDeviceTree().Rebuild();
    }
    std::string report = CurrentReport(form);
    TheDeviceTree().Clear();
    driver.Stop();
    return report;
}

std::wstring LoadWide(UINT id) {
    wchar_t text[256] = L"";
    LoadStringW(ResourceInstance(), id, text, 256);
    return text;
}

std::wstring SystemErrorWide(DWORD code) {
    wchar_t text[256] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 256, nullptr);
    return text;
}

// On the console of whoever started the report, else in a box of its own.
void TellNotWritten(const std::wstring& path, DWORD error) {
    const std::wstring message = LoadWide(IDS_REPORT_NOT_WRITTEN) + L"\r\n" + path + L"\r\n" + SystemErrorWide(error);
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        DWORD written = 0;
        const std::wstring line = L"\r\n" + message + L"\r\n";
        const bool told = console != INVALID_HANDLE_VALUE &&
                          WriteConsoleW(console, line.c_str(), DWORD(line.size()), &written, nullptr);
        if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
        if (told) return;
    }
    MessageBoxW(nullptr, message.c_str(), LoadWide(IDS_APP_CAPTION).c_str(), MB_OK | MB_ICONERROR | MB_TOPMOST);
}

}  // namespace

std::optional<std::wstring> ReportSwitch() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return std::nullopt;
    std::optional<std::wstring> path;
    for (int i = 1; i + 1 < count && !path; ++i)
        if (CompareStringOrdinal(arguments[i], -1, L"/report", -1, TRUE) == CSTR_EQUAL) path = arguments[i + 1];
    LocalFree(arguments);
    return path;
}

int RunReportMode(HINSTANCE instance, const std::wstring& path) {
    SetResourceInstance(instance);
    // Opened first: a path that cannot be written is told before any work.
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        TellNotWritten(path, GetLastError());
        return 2;
    }
    const KernelHandle file(opened);
    const ReportForm form = EndsWithJson(path) ? ReportForm::Json : ReportForm::Text;
    std::optional<std::string> report = AskRunningCopy(form);
    if (!report) report = ReportOfOwnRun(instance, form);
    DWORD written = 0;
    if (!WriteFile(file.Get(), report->data(), DWORD(report->size()), &written, nullptr) || written != report->size()) {
        TellNotWritten(path, GetLastError());
        return 2;
    }
    return 0;
}
