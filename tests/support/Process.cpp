#include "tests/support/Process.h"
#include <cstdlib>

namespace e2e {

Process Process::Start(const std::string& commandLine,
                       const std::vector<std::pair<std::string, std::string>>& environment) {
    // The child inherits this environment; set the extras around CreateProcess only.
    std::vector<std::pair<std::string, std::string>> saved;
    for (const auto& [name, value] : environment) {
        char old[32768];
        DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
        saved.emplace_back(name, length ? std::string(old, length) : std::string("\x01"));
        // An empty value removes the variable for the child.
        SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
    }

    Process process;
    process.job_ = CreateJobObjectA(nullptr, nullptr);
    if (process.job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(process.job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string mutableLine = commandLine;
    if (CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        if (process.job_) AssignProcessToJobObject(process.job_, info.hProcess);
        CloseHandle(info.hThread);
        process.process_ = info.hProcess;
        process.id_ = info.dwProcessId;
    }

    // Backwards, so that a name given twice ends as it was before the first.
    for (auto it = saved.rbegin(); it != saved.rend(); ++it)
        SetEnvironmentVariableA(it->first.c_str(), it->second == "\x01" ? nullptr : it->second.c_str());
    return process;
}

Process::Process(Process&& other) noexcept { *this = std::move(other); }

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Release();
        std::swap(process_, other.process_);
        std::swap(job_, other.job_);
        std::swap(id_, other.id_);
    }
    return *this;
}

Process::~Process() { Release(); }

bool Process::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_) return false;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_, exitCode);
    return true;
}

void Process::Terminate() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 0xDEAD);
        WaitForSingleObject(process_, 5000);
    }
}

void Process::Release() {
    Terminate();
    if (process_) CloseHandle(process_);
    if (job_) CloseHandle(job_);
    process_ = job_ = nullptr;
    id_ = 0;
}

}  // namespace e2e
