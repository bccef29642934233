// QuorvaneCapture.exe: "/install" and "/uninstall" for the installer; without arguments, the
// service itself, which the service manager starts (driver/capture/README.md).
#include <windows.h>
#include <cstdio>
#include <string>
#include "driver/capture/service/ActivityMapping.h"
#include "driver/capture/service/CaptureLoop.h"
#include "driver/capture/service/ServiceInstall.h"

namespace linsett::capture {

namespace {

SERVICE_STATUS_HANDLE gStatusHandle = nullptr;
SERVICE_STATUS gStatus{SERVICE_WIN32_OWN_PROCESS, 0, 0, 0, 0, 0, 0};
SRWLOCK gStatusLock = SRWLOCK_INIT;  // the control handler reports too, on the main thread
HANDLE gStop = nullptr;

void Report(DWORD state, DWORD exit = kExitStopped) {
    AcquireSRWLockExclusive(&gStatusLock);
    gStatus.dwCurrentState = state;
    gStatus.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    gStatus.dwWin32ExitCode = exit == kExitStopped ? NO_ERROR : ERROR_SERVICE_SPECIFIC_ERROR;
    gStatus.dwServiceSpecificExitCode = exit;
    const bool pending = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING;
    gStatus.dwCheckPoint = pending ? gStatus.dwCheckPoint + 1 : 0;
    gStatus.dwWaitHint = pending ? 10000 : 0;
    SetServiceStatus(gStatusHandle, &gStatus);
    ReleaseSRWLockExclusive(&gStatusLock);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
    switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        Report(SERVICE_STOP_PENDING);
        SetEvent(gStop);
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

ServiceExit Capture(const std::vector<std::wstring>& arguments) {
    CaptureDevices devices;
    const ServiceExit opened = OpenCaptureDevices(arguments, devices);
    if (opened != kExitStopped) return opened;
    ActivityMapping mapping;
    if (!mapping.Create()) return kExitNoSection;
    SectionWriter writer(mapping.Section());
    writer.Open();
    std::vector<int> hubs;
    for (auto& device : devices) {
        const std::wstring& path = device->HubPath();
        hubs.push_back(writer.AddHub({reinterpret_cast<const char16_t*>(path.data()), path.size()}));
    }
    // A hub without an entry has nowhere to count: its capture ends here.
    for (size_t i = hubs.size(); i-- > 0;)
        if (hubs[i] < 0) {
            devices.erase(devices.begin() + static_cast<ptrdiff_t>(i));
            hubs.erase(hubs.begin() + static_cast<ptrdiff_t>(i));
        }
    Report(SERVICE_RUNNING);
    RunCaptureLoop(devices, hubs, writer, gStop);
    return kExitStopped;
}

void WINAPI ServiceMain(DWORD argc, wchar_t** argv) {
    gStatusHandle = RegisterServiceCtrlHandlerExW(kServiceName, Control, nullptr);
    if (!gStatusHandle) return;
    Report(SERVICE_START_PENDING);
    ServiceExit exit = kExitFailed;
    try {
        const std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        exit = Capture(arguments);
    } catch (...) {
        // Out of memory: say so through the exit code rather than take the process down.
    }
    Report(SERVICE_STOPPED, exit);
}

}  // namespace

}  // namespace linsett::capture

int wmain(int argc, wchar_t** argv) {
    using namespace linsett::capture;
    if (argc == 2 && _wcsicmp(argv[1], L"/install") == 0) return static_cast<int>(InstallService());
    if (argc == 2 && _wcsicmp(argv[1], L"/uninstall") == 0) return static_cast<int>(UninstallService());
    gStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SERVICE_TABLE_ENTRYW services[] = {{const_cast<wchar_t*>(kServiceName), ServiceMain}, {nullptr, nullptr}};
    if (argc == 1 && gStop && StartServiceCtrlDispatcherW(services)) return 0;
    std::fprintf(stderr, "usage: QuorvaneCapture /install | /uninstall (without arguments it runs as the service)\n");
    return ERROR_INVALID_PARAMETER;
}
