#include "driver/ctl/ControlClient.h"

#include "driver/ControlProtocol.h"

namespace linsett {

namespace {

constexpr char kReplyClass[] = "LinsettControlReply";

struct Waiting {
    bool answered = false;
    std::string reply;
};

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        auto* waiting = reinterpret_cast<Waiting*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!waiting || data->dwData != kReplyTag) return FALSE;
        waiting->reply.assign(static_cast<const char*>(data->lpData), data->cbData);
        waiting->answered = true;
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ReplyWindow {
public:
    explicit ReplyWindow(Waiting* waiting) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = ReplyProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kReplyClass;
        RegisterClassExA(&windowClass);  // fails harmlessly when already registered
        window_ = CreateWindowExA(0, kReplyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(waiting));
    }
    ReplyWindow(const ReplyWindow&) = delete;
    ReplyWindow& operator=(const ReplyWindow&) = delete;
    ~ReplyWindow() {
        if (window_) DestroyWindow(window_);
    }
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

}  // namespace

HWND FindControlWindow(DWORD processId, ControlResult& problem) {
    HWND found = nullptr;
    int count = 0;
    // The control window is message-only: no enumeration of the desktop's windows meets it.
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, kControlClass, nullptr); window;
         window = FindWindowExA(HWND_MESSAGE, window, kControlClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (processId && owner != processId) continue;
        found = window;
        ++count;
    }
    problem = count == 0 ? ControlResult::NoLibrary : count > 1 ? ControlResult::SeveralLibraries : ControlResult::Ok;
    return count == 1 ? found : nullptr;
}

ControlResult SendControlCommand(HWND control, const std::string& command, DWORD timeoutMs, std::string& reply) {
    return SendControlMessage(control, kCommandTag, command.data(), static_cast<DWORD>(command.size()), timeoutMs,
                              reply);
}

ControlResult SendControlMessage(HWND control, uintptr_t tag, const void* bytes, DWORD size, DWORD timeoutMs,
                                 std::string& reply) {
    Waiting waiting;
    ReplyWindow window(&waiting);
    if (!window.Get()) return ControlResult::NoLibrary;
    COPYDATASTRUCT data{tag, size, const_cast<void*>(bytes)};
    DWORD_PTR accepted = 0;
    if (!SendMessageTimeoutA(control, WM_COPYDATA, reinterpret_cast<WPARAM>(window.Get()),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs, &accepted))
        return ControlResult::Timeout;
    if (!accepted) {
        reply = "refused: the library did not accept the command";
        return ControlResult::Refused;
    }
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!waiting.answered) {
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return ControlResult::Timeout;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        MSG message;
        while (!waiting.answered && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    reply = waiting.reply;
    return reply.rfind("ok", 0) == 0 ? ControlResult::Ok : ControlResult::Refused;
}

}  // namespace linsett
