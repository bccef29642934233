#include "tests/e2e/QuorvaneRun.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include "tests/support/Capture.h"
#include "tests/support/Input.h"
#include "tests/support/LinsettControl.h"
#include "tests/support/Paths.h"
#include "tests/support/Registry.h"
#include "tests/support/TopWindows.h"

namespace e2e {

std::string NewTemporaryFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    std::string folder = std::string(base) + "quorvane-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++counter);
    // Wine hands out the same small process ids run after run: whatever an earlier run
    // left under this name goes first.
    RemoveFolder(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void RemoveFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string ShippedScenario(const std::string& fileName) {
    const char* source = std::getenv("QUORVANE_SOURCE_DIR");
    return WindowsPath(std::string(source ? source : ".") + "/driver/scenarios/" + fileName);
}

QuorvaneRun::QuorvaneRun(const std::string& scenarioFile,
                         std::vector<std::pair<std::string, std::string>> environment, const std::string& program)
    : folder_(NewTemporaryFolder()) {
    // The caller's own values come last and so win (a state folder shared by two runs).
    std::vector<std::pair<std::string, std::string>> all = {
        {"LOCALAPPDATA", folder_}, {"LINSETT_SCENARIO", scenarioFile}};
    all.insert(all.end(), environment.begin(), environment.end());
    process_ = Process::Start("\"" + (program.empty() ? BinDir() + "\\Quorvane.exe" : program) + "\"", all);
}

QuorvaneRun::~QuorvaneRun() {
    process_.Terminate();
    RemoveFolder(folder_);
}

namespace {
const char* const kSettingsParent = "Software\\Tarvex";
const char* const kSettingsKey = "Software\\Tarvex\\Quorvane";
}  // namespace

InstalledSettings::InstalledSettings() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) registry::DeleteTree(root, kSettingsParent);
    registry::CreateKey(HKEY_LOCAL_MACHINE, kSettingsKey);
}

InstalledSettings::~InstalledSettings() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) registry::DeleteTree(root, kSettingsParent);
}

void InstalledSettings::Set(const std::string& name, uint32_t value) const {
    registry::SetDword(HKEY_CURRENT_USER, kSettingsKey, name, value);
}

std::optional<uint32_t> InstalledSettings::Get(const std::string& name) const {
    return registry::GetDword(HKEY_CURRENT_USER, kSettingsKey, name);
}

void InstalledSettings::PlaceMonitor(int left, int top, int rows) const {
    Set("Monitor.left", left);
    Set("Monitor.top", top);
    Set("Monitor.right", left + 185);
    Set("Monitor.bottom", top + 48 + 29 * rows);
}

namespace {
const char kDesktop[] = "Control Panel\\Desktop";
}  // namespace

DisplayScale::DisplayScale(uint32_t dpi) : saved_(registry::GetDword(HKEY_CURRENT_USER, kDesktop, "LogPixels")) {
    registry::SetDword(HKEY_CURRENT_USER, kDesktop, "LogPixels", dpi);
}

DisplayScale::~DisplayScale() {
    if (saved_) registry::SetDword(HKEY_CURRENT_USER, kDesktop, "LogPixels", *saved_);
    else RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels");
}

HWND WaitForMonitor(const QuorvaneRun& run, DWORD timeoutMs) {
    HWND monitor = WaitForWindow("ElxWnd", "Quorvane Monitor", run.Id(), timeoutMs);
    if (monitor && run.WaitForRebuilds(1, timeoutMs)) return monitor;
    // What the program shows instead, for the failure's reader.
    for (HWND window : WindowsOfProcess(run.Id()))
        std::fprintf(stderr, "no monitor; the program has a window \"%s\"\n", WindowText(window).c_str());
    for (const ModalBox& box : FindModalBoxes(run.Id()))
        std::fprintf(stderr, "no monitor; a box says \"%s\"\n", box.text.c_str());
    return nullptr;
}

HWND OpenSystemView(const QuorvaneRun& run, HWND monitor, int row, DWORD timeoutMs) {
    const RECT m = Rect(monitor);
    // The monitor is 185 pixels wide at 96 DPI; on a scaled display its tiles scale with it.
    const double scale = (m.right - m.left) / 185.0;
    ClickAt(m.left + int(90 * scale), m.top + int((18 + 29 * row + 14) * scale));
    HWND frame = WaitForWindow("ElxWnd", "Quorvane", run.Id(), timeoutMs);
    MoveMouseTo(1200, 1000);
    return frame;
}

int SystemViewSplit(HWND frame) {
    const Image shown = CaptureWindow(frame);
    for (int y = 24; y + 1 < shown.height; ++y)
        if (shown.ColorAt(300, y) == RGB(0x9B, 0x9B, 0x9B) && shown.ColorAt(300, y + 1) == RGB(0x73, 0x73, 0x73))
            return y - 3 - 24;
    return -1;
}

HWND ApplicationWindow(const QuorvaneRun& run) {
    for (HWND window : WindowsOfProcess(run.Id())) {
        char name[16] = "";
        if (GetClassNameA(window, name, sizeof name) && std::string(name) == "QuorvaneApp") return window;
    }
    return nullptr;
}

bool ChooseFromTrayMenu(const QuorvaneRun& run, std::initializer_list<WORD> keys, DWORD timeoutMs) {
    constexpr UINT kTrayIcon = 1124;  // the icon's id and the message it sends
    PostMessageA(ApplicationWindow(run), kTrayIcon, kTrayIcon, WM_RBUTTONUP);
    if (!WaitForWindow("#32768", nullptr, 0, timeoutMs)) return false;
    for (WORD key : keys) PressKey(key);
    return true;
}

std::string ProgramString(UINT id) {
    char text[1024] = "";
    HMODULE program = LoadLibraryExA((BinDir() + "\\Quorvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    LoadStringA(program, id, text, sizeof text);
    FreeLibrary(program);
    return text;
}

int QuorvaneRun::Rebuilds() const {
    const std::string reply = SendLinsettCommand(process_.Id(), "generations", 2000);
    return reply.rfind("ok ", 0) == 0 ? std::atoi(reply.c_str() + 3) : 0;
}

bool QuorvaneRun::WaitForRebuilds(int count, DWORD timeoutMs) const {
    return WaitUntil([&] { return Rebuilds() >= count; }, timeoutMs);
}

bool QuorvaneRun::Change(const std::string& command) const {
    const int rebuilds = Rebuilds();
    return SendLinsettCommand(process_.Id(), command).rfind("ok", 0) == 0 && WaitForRebuilds(rebuilds + 1);
}

bool SmallRunTest::LightsMove(DWORD quietMs) const {
    const RECT m = Rect(monitor);
    const RECT lights{m.left + 132, m.top + 18, m.left + 145, m.bottom - 18};
    const Image first = CaptureScreen(lights);
    return WaitUntil([&] { return CaptureScreen(lights).pixels != first.pixels; }, quietMs);
}

}  // namespace e2e
