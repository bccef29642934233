#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Polls condition every 20 ms until it holds or timeoutMs passes; the result says which.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A visible top-level window of the given class and title (either may be null for any),
// owned by processId unless it is 0. Null when none appears within timeoutMs.
HWND WaitForWindow(const char* className, const char* title, DWORD processId, DWORD timeoutMs);

// All top-level windows of a process, visible or not.
std::vector<HWND> WindowsOfProcess(DWORD processId);

// A message box or other standard dialog (#32770) of a process, with its texts.
struct ModalBox {
    HWND window = nullptr;
    std::string title;
    std::string text;  // the static texts inside, joined by newlines
};
std::vector<ModalBox> FindModalBoxes(DWORD processId);

// Waits for a modal box of the process; an empty box (window null) when none appears.
ModalBox WaitForModalBox(DWORD processId, DWORD timeoutMs);

// Presses the box's default answer (OK, else Cancel) on every modal box of the process.
int CloseModalBoxes(DWORD processId);

std::string WindowText(HWND window);
inline RECT Rect(HWND window) {  // on the screen
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

}  // namespace e2e
