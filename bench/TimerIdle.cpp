// The reference for the idle measurement: an empty window that runs a 100 ms timer and
// does nothing else. Ended by WM_CLOSE or after the number of seconds given.
#include <windows.h>

#include <cstdlib>

namespace {
LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TimerIdle";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "TimerIdle", "Timer idle", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance,
                                  nullptr);
    SetTimer(window, 1, 100, nullptr);
    const DWORD end = GetTickCount() + 1000u * static_cast<DWORD>(std::atoi(commandLine) > 0 ? std::atoi(commandLine) : 60);
    MSG message;
    while (GetTickCount() < end && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
