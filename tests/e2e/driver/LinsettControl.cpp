#include "tests/e2e/driver/LinsettControl.h"

#include "driver/ControlProtocol.h"
#include "tests/e2e/driver/TopWindows.h"

namespace e2e {
namespace {

struct ReplyBox {
    bool arrived = false;
    std::string text;
};

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* box = reinterpret_cast<ReplyBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (box && data && data->dwData == linsett::kReplyTag) {
            box->text.assign(static_cast<const char*>(data->lpData), data->cbData);
            box->arrived = true;
        }
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND ControlWindowOf(DWORD processId) {
    for (HWND window : WindowsOfProcess(processId))
        if (WindowClass(window) == linsett::kControlClass) return window;
    return nullptr;
}

}  // namespace

std::string SendLinsettCommand(DWORD processId, const std::string& command, DWORD timeoutMs) {
    HWND target = ControlWindowOf(processId);
    if (!target) return {};

    static ATOM replyClass = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ReplyProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "E2ELinsettReply";
        return RegisterClassA(&windowClass);
    }();
    if (!replyClass) return {};
    HWND replyWindow = CreateWindowExA(0, "E2ELinsettReply", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    ReplyBox box;
    SetWindowLongPtrA(replyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));

    COPYDATASTRUCT data{linsett::kCommandTag, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow), reinterpret_cast<LPARAM>(&data),
                        SMTO_NORMAL, timeoutMs, &result);
    // The answer may come during the send or later, posted from the library's own loop.
    WaitUntil(
        [&] {
            MSG message;
            while (PeekMessageA(&message, replyWindow, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            return box.arrived;
        },
        timeoutMs);
    DestroyWindow(replyWindow);
    return box.text;
}

}  // namespace e2e
