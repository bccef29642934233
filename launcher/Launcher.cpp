// Linsett.exe: the start-up shortcut's target. It starts Quorvane.exe from its own folder,
// so the program finds its library and help beside it, and then leaves.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return 1;
    char* name = std::strrchr(path, '\\');
    constexpr char kProgram[] = "Quorvane.exe";
    if (!name || (name + 1 - path) + sizeof kProgram > sizeof path) return 1;
    name[0] = '\0';
    char program[MAX_PATH];
    lstrcpyA(program, path);
    lstrcatA(program, "\\");
    lstrcatA(program, kProgram);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, path, &startup, &process)) return 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
