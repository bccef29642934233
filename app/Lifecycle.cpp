#include "app/Lifecycle.h"

#include <commctrl.h>

#include <optional>

#include "framework/SharedLook.h"
#include "app/AppWindow.h"
#include "app/HistoryRecorder.h"
#include "app/Launches.h"
#include "app/TopologyEvents.h"
#include "app/Wiring.h"
#include "base/HandleOwners.h"
#include "framework/ElxWnd.h"
#include "framework/FrameImages.h"
#include "framework/WindowsAlive.h"
#include "graphics/DisplayChecks.h"
#include "graphics/StartupStrips.h"
#include "graphics/ResourceStrings.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "monitor/MonitorFrame.h"
#include "monitor/MonitorWindow.h"
#include "monitor/TileArt.h"
#include "systemview/DetailFrame.h"
#include "systemview/HistoryFrame.h"
#include "resources/ResourceIds.h"

namespace {

// No window of the program shows at the time: the box stays above everything.
void ShowNoHardwareBox(UINT textId) {
    MessageBoxA(nullptr, LoadResourceString(textId).Chars(), LoadResourceString(IDS_APP_CAPTION).Chars(),
                MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
}

// A second copy brings the first one's windows forward: the detail frame (or any other
// top-level window still titled with the program's name) first, the monitor last.
void ActivateFirstInstance() {
    for (UINT titleId : {IDS_DETAIL_TITLE, IDS_MONITOR_TITLE}) {
        char title[80] = "";
        LoadStringA(ResourceInstance(), titleId, title, sizeof title);
        if (HWND window = FindWindowExA(nullptr, nullptr, "ElxWnd", title)) {
            ShowWindow(window, SW_SHOW);
            SetForegroundWindow(window);
        }
    }
}

bool Initialise(HINSTANCE instance, TopologyListener& listener) {
    LoadSharedLook(instance);
    InitCommonControls();
    RegisterElxWndClass(instance);
    LoadStartupStrips();
    LoadTileImages();
    LoadFrameImages();
    DriverInterface::Instance().SetListener(&listener);
    if (!DriverInterface::Instance().Start(instance)) return false;
    RebuildDeviceTree();
    LoadHistory();
    RecordTopologyChanges();  // the first generation: what later ones are compared with
    return true;
}

// A library that is not there, or not whole, is told apart from one that found no
// hardware: the user has a file to look for. -1 like the other missing library.
int ReportFailedStart() {
    const DriverInterface& driver = DriverInterface::Instance();
    switch (driver.LastFailure()) {
    case DriverInterface::Failure::MissingLibrary:
        ShowErrorBox(String(driver.Missing()) + ": " + SystemErrorText(ERROR_MOD_NOT_FOUND));
        return -1;
    case DriverInterface::Failure::MissingExport:
        ShowErrorBox(String("Linsett.dll, ") + driver.Missing() + ": " + SystemErrorText(ERROR_PROC_NOT_FOUND));
        return -1;
    default: ShowNoHardwareBox(IDS_NO_HARDWARE); return 0;
    }
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int RunApplication(HINSTANCE instance) {
    SetWindows98Flag(IsWindows98());
    const KernelHandle mutex(CreateMutexA(nullptr, TRUE, "Tarvex Quorvane"));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        SetResourceInstance(instance);
        ActivateFirstInstance();
        return 0;
    }

    const ModuleHandle msimg32(LoadLibraryA("msimg32.dll"));
    if (!msimg32) {
        SetResourceInstance(instance);
        ShowErrorBox(LoadResourceString(IDS_MSIMG32_REQUIRED));
        return -1;
    }

    int result = 0;
    Wiring wiring;
    if (Initialise(instance, wiring)) {
        CheckColorDepth();
        LoadMonitorPlacement();
        LoadDetailFramePlacement();
        {
            // Live for the message loop; their windows normally end with the exit sequence.
            AppWindow application(wiring);
            SystemView details(wiring);
            HistoryView history(wiring);
            MonitorWindow monitor(wiring);
            if (ApplyLightSwitch()) SwitchLights(true);
            CheckAlerts();
            TellHistoryProblem(MonitorHandle());
            RunMessageLoop();
            WritePlacements();
            DriverInterface::Instance().Stop();
        }
        TheDeviceTree().Clear();
    } else {
        result = ReportFailedStart();
    }

    DriverInterface::Instance().SetListener(nullptr);
    FreeMonitorImages();
    FreeFrameImages();
    ReleaseSharedLook();
    return result;
}

void WritePlacements() {
    SaveDetailFramePlacement();
    SaveMonitorPlacement();
    SaveHistoryWindowPlacement();
}

void ExitSequence() {
    CloseAllHelp();
    EndAlert();
    RemoveTrayIcon();
    CloseDetailFrame();
    CloseHistoryWindow();
    DestroyMonitor();
    PostQuitMessage(0);
}

namespace {

// From the stop of the library for a restart until a restart succeeds: which windows were
// shown before (the restart that succeeds shows them again, however many failed first), and
// whether the user was told that it failed.
struct RestartState {
    bool monitorWasVisible = false, detailsWereVisible = false;
    bool told = false;
    bool trying = false;  // the library is starting: its own boxes may run messages meanwhile
};
std::optional<RestartState> g_restart;

void StopForRestart() {
    RestartState& restart = g_restart.emplace();
    restart.monitorWasVisible = IsMonitorVisible();
    restart.detailsWereVisible = IsDetailFrameVisible();
    if (restart.monitorWasVisible) HideMonitor();
    if (restart.detailsWereVisible) ShowDetailFrame(false);
    // It would read the records that go with the library.
    CloseHistoryWindow();
    if (ApplyLightSwitch()) SwitchLights(false);
    // The nodes the dialogs edit go with the tree.
    CancelOptionDialogs();
    SetWindowsAlive(false);
    DriverInterface::Instance().Stop();
    TheDeviceTree().Clear();
}

// Without a library there is nothing to show: the windows stay hidden and silent, all but
// the tray and the broadcasts that try again. The user hears of it once.
void ReportRestartFailed() {
    if (g_restart->told) return;
    g_restart->told = true;
    ShowNoHardwareBox(IDS_RESTART_FAILED);
}

void TryRestart() {
    g_restart->trying = true;
    const bool started = DriverInterface::Instance().Start(ResourceInstance());
    g_restart->trying = false;
    if (!started) {
        ReportRestartFailed();
        return;
    }
    const RestartState restart = *g_restart;
    g_restart.reset();
    RebuildDeviceTree();
    RecordTopologyChanges();
    RebuildMonitor();
    RefreshDetailFrame();
    SetWindowsAlive(true);
    if (ApplyLightSwitch()) SwitchLights(true);
    CheckAlerts();
    if (restart.monitorWasVisible) ShowMonitor();
    if (restart.detailsWereVisible) ShowDetailFrame(true);
}

}  // namespace

void ResumeSequence() {
    if (!g_restart) StopForRestart();
    RetryRestart();
}

void RetryRestart() {
    if (IsLibraryDown()) TryRestart();
}

bool IsLibraryDown() { return g_restart && !g_restart->trying; }
