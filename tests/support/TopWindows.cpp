#include "tests/support/TopWindows.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

static std::string WindowClass(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {
struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ProcessWindows*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->processId == 0 || owner == search->processId) search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> WindowsOfProcess(DWORD processId) {
    ProcessWindows search{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const char* className, const char* title, DWORD processId, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : WindowsOfProcess(processId))
            if (IsWindowVisible(window) && (!className || WindowClass(window) == className) &&
                (!title || WindowText(window) == title))
                return (found = window) != nullptr;
        return false;
    }, timeoutMs);
    return found;
}

std::vector<ModalBox> FindModalBoxes(DWORD processId) {
    std::vector<ModalBox> boxes;
    for (HWND window : WindowsOfProcess(processId)) {
        if (!IsWindowVisible(window) || WindowClass(window) != "#32770") continue;
        ModalBox box{window, WindowText(window), {}};
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (WindowClass(child) != "Static") continue;
            std::string text = WindowText(child);
            if (text.empty()) continue;
            if (!box.text.empty()) box.text += "\n";
            box.text += text;
        }
        boxes.push_back(box);
    }
    return boxes;
}

ModalBox WaitForModalBox(DWORD processId, DWORD timeoutMs) {
    std::vector<ModalBox> boxes;
    WaitUntil([&] { return !(boxes = FindModalBoxes(processId)).empty(); }, timeoutMs);
    return boxes.empty() ? ModalBox{} : boxes.front();
}

int CloseModalBoxes(DWORD processId) {
    int closed = 0;
    for (const ModalBox& box : FindModalBoxes(processId)) {
        HWND ok = GetDlgItem(box.window, IDOK);
        PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(ok ? ok : GetDlgItem(box.window, IDCANCEL)));
        ++closed;
    }
    return closed;
}

}  // namespace e2e
