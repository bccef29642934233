#include "app/ReportExchange.h"

namespace {

constexpr ULONG_PTR kRequestTag = 0x51525054;  // "QRPT"
constexpr ULONG_PTR kAnswerTag = 0x51525041;   // "QRPA"
constexpr const wchar_t* kAnswerClass = L"QuorvaneReportAnswer";
constexpr const wchar_t* kApplicationClass = L"QuorvaneApp";
constexpr const wchar_t* kInstanceMutex = L"Tarvex Quorvane";
constexpr DWORD kMessageTimeoutMs = 5000;
// The report of several full buses and a full history is well under a megabyte.
constexpr DWORD kLargestAnswer = 64u << 20;
// Long enough for a copy that is still starting to open its application window.
constexpr DWORD kAskingTimeoutMs = 20000;

bool IsAnswerWindow(HWND window) {
    wchar_t name[64] = L"";
    return IsWindow(window) && GetClassNameW(window, name, 64) && std::wstring(name) == kAnswerClass;
}

LRESULT CALLBACK AnswerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    auto* answer = reinterpret_cast<std::optional<std::string>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Anyone may send here: an answer larger than any report, or without its bytes, is none.
    if (!data || data->dwData != kAnswerTag || !answer || !data->lpData || data->cbData > kLargestAnswer) return FALSE;
    answer->emplace(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
}

bool CopyRuns() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutex);
    if (!mutex) return false;
    CloseHandle(mutex);
    return true;
}

}  // namespace

bool AnswerReportRequest(HWND self, HWND requester, const COPYDATASTRUCT& request) {
    if (request.dwData != kRequestTag || request.cbData != 1 || !request.lpData) return false;
    const unsigned char form = *static_cast<const unsigned char*>(request.lpData);
    // Only an asking report run's window gets an answer: another window could take the
    // message for one of its own.
    if (form > 1 || !IsAnswerWindow(requester)) return false;
    const std::string report = CurrentReport(form ? ReportForm::Json : ReportForm::Text);
    COPYDATASTRUCT answer{kAnswerTag, DWORD(report.size()), const_cast<char*>(report.data())};
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(requester, WM_COPYDATA, WPARAM(self), LPARAM(&answer), SMTO_ABORTIFHUNG,
                               kMessageTimeoutMs, &result) &&
           result;
}

std::optional<std::string> AskRunningCopy(ReportForm form) {
    if (!CopyRuns()) return std::nullopt;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &AnswerProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kAnswerClass;
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, kAnswerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    if (!window) return std::nullopt;
    std::optional<std::string> answer;
    SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(&answer));
    const unsigned char formByte = form == ReportForm::Json;
    COPYDATASTRUCT request{kRequestTag, 1, const_cast<unsigned char*>(&formByte)};
    // The answer arrives while the request waits: a thread waiting in SendMessageTimeout
    // takes the messages sent to it. A copy in the middle of a topology change does not
    // answer; it is asked again.
    const DWORD start = GetTickCount();
    while (!answer && CopyRuns() && GetTickCount() - start < kAskingTimeoutMs) {
        DWORD_PTR result = 0;
        if (HWND application = FindWindowW(kApplicationClass, nullptr))
            SendMessageTimeoutW(application, WM_COPYDATA, WPARAM(window), LPARAM(&request), SMTO_ABORTIFHUNG,
                                kMessageTimeoutMs, &result);
        if (!answer) Sleep(100);
    }
    DestroyWindow(window);
    return answer;
}
