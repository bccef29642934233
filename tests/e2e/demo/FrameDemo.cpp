// A bare skinned frame window for the end-to-end tests of the frame. Not shipped.
//   frame_demo.exe [blocked]
#include <windows.h>

#include <cstring>

#include "framework/SharedLook.h"
#include "framework/FrameChrome.h"
#include "framework/FrameImages.h"
#include "framework/FrameWindow.h"
#include "graphics/DisplayChecks.h"
#include "graphics/StartupStrips.h"

namespace {

class DemoWindow : public FrameWindow {
public:
    DemoWindow()
        : FrameWindow(120, 80, 640, 480, WS_POPUP | WS_SYSMENU, 0, false), chrome_(&root_) {
        SetWindowTextA(hwnd_, "Frame demo");
        Layout();
    }
    void Layout() override {
        FrameWindow::Layout();
        chrome_.SetBounds(0, 0, root_.Width(), root_.Height());
    }
    void OnDestroy() override {
        FrameWindow::OnDestroy();
        PostQuitMessage(0);
    }
    void OnCommand(WPARAM wParam) override {
        if (LOWORD(wParam) == FrameChrome::kMaximizeCommand) {
            bool zoom = !IsZoomed(hwnd_);
            ShowWindow(hwnd_, zoom ? SW_MAXIMIZE : SW_RESTORE);
            zoom ? chrome_.SetMaximized() : chrome_.SetRestored();
            return;
        }
        FrameWindow::OnCommand(wParam);
    }

private:
    FrameChrome chrome_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    LoadLibraryA("msimg32.dll");
    SetWindows98Flag(IsWindows98());
    LoadSharedLook(instance);
    RegisterElxWndClass(instance);
    LoadStartupStrips();
    LoadFrameImages();
    {
        DemoWindow window;
        window.SetBlocked(std::strstr(commandLine, "blocked") != nullptr);
        ShowWindow(window.Handle(), SW_SHOW);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    FreeFrameImages();
    ReleaseSharedLook();
    return 0;
}
