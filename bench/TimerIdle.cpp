// The reference for the idle measurement: an empty window that runs a 100 ms timer and
// does nothing else. Ended by WM_CLOSE or after the number of seconds given.
// With "show" after the seconds, the window is shown and every tick puts one changed
// 13-pixel square on it through a DC kept for the run, as the transmission lights do:
// the price of presenting anything at all on each tick.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {
bool g_show = false;
HDC g_dc = nullptr;
bool g_lit = false;

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && g_show) {
        if (!g_dc) g_dc = GetDC(window);
        g_lit = !g_lit;
        PatBlt(g_dc, 0, 0, 13, 13, g_lit ? WHITENESS : BLACKNESS);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_show = std::strstr(commandLine, "show") != nullptr;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TimerIdle";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "TimerIdle", "Timer idle", WS_POPUP | (g_show ? WS_VISIBLE : 0),
                                  600, 20, 13, 13, nullptr, nullptr, instance, nullptr);
    SetTimer(window, 1, 100, nullptr);
    const DWORD end = GetTickCount() + 1000u * static_cast<DWORD>(std::atoi(commandLine) > 0 ? std::atoi(commandLine) : 60);
    MSG message;
    while (GetTickCount() < end && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
