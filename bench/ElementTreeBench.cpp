// How long a full off-screen repaint of a 600 x 480 window's element tree takes: the
// whole tree painted into the surface and copied to the window in one blit.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/SharedLook.h"
#include "bench/Timing.h"
#include "framework/ElxWnd.h"
#include "framework/PushButton.h"
#include "framework/RootElement.h"

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadSharedLook(instance);
    RegisterElxWndClass(instance);
    ElxWnd window(nullptr, WS_POPUP, 0, true);
    // Without a window the drawing goes straight to the screen and the figures mean nothing
    // (Wine makes none when its server was started away from this display).
    if (!window.Handle()) {
        std::printf("no window could be made: start the Wine prefix under this display\n");
        std::exit(1);
    }
    SetWindowPos(window.Handle(), nullptr, 0, 0, 600, 480, SWP_NOZORDER | SWP_NOACTIVATE);

    // Ten panels of twelve buttons each: about what a busy system view holds.
    RootElement root(window.Handle());
    root.SetSize(600, 480);
    std::vector<std::unique_ptr<Element>> elements;
    for (int panel = 0; panel < 10; ++panel) {
        auto container = std::make_unique<ContainerElement>(&root);
        container->SetBounds((panel % 2) * 300, (panel / 2) * 96, 300, 96);
        for (int i = 0; i < 12; ++i) {
            auto button = std::make_unique<PushButton>(container.get(), i, &DialogButtonStrip(), 0);
            button->SetPosition((i % 4) * 70 + 8, (i / 4) * 28 + 6);
            elements.push_back(std::move(button));
        }
        elements.push_back(std::move(container));
    }

    HDC dc = GetDC(window.Handle());
    const int iterations = 300;
    double us = NanosecondsPerCall(iterations, [&](int) { root.PaintTo(dc); }) / 1000;
    std::printf("%-40s %10.1f us/op  (%d ops, %zu elements)\n", "full repaint of a 600 x 480 tree", us, iterations,
                elements.size());
    // What a pressed button costs: its own rectangle painted and put on screen.
    us = NanosecondsPerCall(iterations, [&](int i) { elements[i % 12]->Redraw(); }) / 1000;
    std::printf("%-40s %10.1f us/op  (%d ops)\n", "redraw of one button", us, iterations);
    ReleaseDC(window.Handle(), dc);
    ReleaseSharedLook();
    return 0;
}
