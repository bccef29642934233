#pragma once
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// A program started for a test. It is always ended: the destructor terminates it if it
// still runs, and a kill-on-close job takes any process it started with it.
class Process {
public:
    // The program's path (quoted if needed) and arguments, with NAME=value pairs added to this environment.
    static Process Start(const std::string& commandLine,
                         const std::vector<std::pair<std::string, std::string>>& environment = {});
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }

    // True when the process ended within timeoutMs; its exit code lands in *exitCode.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    // Its exit code once it ended within timeoutMs; STILL_ACTIVE if it did not.
    DWORD ExitCode(DWORD timeoutMs) {
        DWORD exitCode = STILL_ACTIVE;
        return WaitForExit(timeoutMs, &exitCode) ? exitCode : STILL_ACTIVE;
    }
    void Terminate();

private:
    void Release();
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace e2e
