// A window with known behaviour for the harness's own smoke test: its colour changes
// on a left click (red to green) and after a right click's message box is answered (blue).
#include <windows.h>

namespace {
COLORREF g_colour = RGB(220, 30, 30);

LRESULT CALLBACK SmokeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        g_colour = RGB(30, 200, 60);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_RBUTTONUP:
        MessageBoxA(window, "Smoke box", "Smoke", MB_OK);
        g_colour = RGB(40, 60, 220);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(g_colour);
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SmokeProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "QuorvaneSmoke";
    RegisterClassA(&windowClass);
    CreateWindowExA(WS_EX_TOPMOST, "QuorvaneSmoke", "Smoke", WS_POPUP | WS_VISIBLE, 100, 100, 200, 120, nullptr,
                    nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
