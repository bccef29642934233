#include "monitor/MonitorWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "base/Settings.h"
#include "framework/SharedLook.h"
#include "graphics/DisplayChecks.h"
#include "graphics/ResourceStrings.h"
#include "graphics/ScaledDC.h"
#include "model/Alerts.h"
#include "model/DeviceTree.h"
#include "monitor/DeviceTile.h"
#include "monitor/MonitorGeometry.h"
#include "resources/ResourceIds.h"

namespace geo = monitor_geometry;

namespace {

MonitorWindow* g_monitor = nullptr;
geo::Box g_placement{10, 10, 195, 87};
bool g_topologyReady = true;
// Not reset when an alert starts or ends: the flashing simply goes on from where it was.
bool g_flashPhase = false;

constexpr int kScrollUpFrame = 2, kScrollDownFrame = 0;

// Where the pointer was for the message being handled: the moving and sizing loops
// send theirs for each mouse move they read.
geo::Point MessagePointer() {
    const DWORD at = GetMessagePos();
    return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

geo::Box ScreenBox(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// The outline of a w x h monitor (96-DPI units) in pixels of the scale, from pieces drawn
// at that scale: at 96 DPI the elements' shape, at any scale the window's region.
Region ComposeOutline(bool open, int w, int h, const Scale& s, const Region& top, const Region& bottom) {
    const Region lower = Region::Offset(bottom, 0, s.Px(h - 77));
    if (h < 79) return Region::Merge(lower, top);
    const Region middle = open ? Region::CreateRect(0, 38, w - 1, h - 76) : Region::CreateRect(17, 38, w - 34, h - 76);
    return Region::Merge(Region::Merge(ScaleRegion(middle, s), lower), top);
}

}  // namespace

// Closing the monitor closes the system view too; the program keeps running in the tray.
void MonitorWindow::CloseWithDetails() {
    host_.CloseDetails();
    HideMonitor();
}

MonitorWindow::MonitorWindow(MonitorHost& host)
    : FrameWindow(g_placement.left, g_placement.top, g_placement.Width(), g_placement.Height(), WS_POPUP,
                  WS_EX_TOOLWINDOW, false),
      host_(host),
      frame_(nullptr),
      tiles_(nullptr, TheDeviceTree()),
      scrollUp_(nullptr, kScrollUpCommand, &MonitorScrollStrip(), kScrollUpFrame),
      scrollDown_(nullptr, kScrollDownCommand, &MonitorScrollStrip(), kScrollDownFrame) {
    g_monitor = this;
    frame_.SetParent(&root_);
    scrollUp_.SetParent(&root_);
    scrollDown_.SetParent(&root_);
    tiles_.SetParent(&root_);
    tiles_.SetHost(&host_);

    tooltip_.Create(hwnd_);
    tooltip_.AddTool(hwnd_);
    scrollUp_.SetTooltip(LoadResourceString(IDS_TIP_SCROLL));
    scrollDown_.SetTooltip(LoadResourceString(IDS_TIP_SCROLL));

    LoadOutlines();

    SIZE size = GetSize();
    tiles_.SetBounds(24, 18, size.cx - 48, size.cy - 42);
    tiles_.Rebuild();
    tiles_.FitRows();
    Layout();

    SetAlwaysOnTop(Settings::AlwaysOnTop());
    ShrinkToNodes();
    KeepOnScreen();
    ShowMonitor();
}

MonitorWindow::~MonitorWindow() { g_monitor = nullptr; }

void MonitorWindow::LoadOutlines() {
    const auto load = [](Outlines& o, const Scale& s) {
        o.openTop.LoadFromResource(IDR_MONITOR_OPEN_TOP, s);
        o.openBottom.LoadFromResource(IDR_MONITOR_OPEN_BOTTOM, s);
        o.normalTop.LoadFromResource(IDR_MONITOR_CLOSED_TOP, s);
        o.normalBottom.LoadFromResource(IDR_MONITOR_CLOSED_BOTTOM, s);
    };
    load(outlines_, Scale{});
    load(scaledOutlines_, scale_);
}

void MonitorWindow::OnScaleChanged() {
    LoadOutlines();
    // The suggested rectangle is only near: the width and the rows are the monitor's own.
    Resize(geo::kWidth, GetSize().cy);
    Layout();
    KeepOnScreen();
}

// The placement keeps the top-left corner in screen pixels and the size in 96-DPI units,
// so that a monitor moved to a screen of another scale keeps its rows.
void MonitorWindow::StorePlacement() {
    const geo::Box screen = ScreenBox(hwnd_);
    const SIZE size = GetSize();
    g_placement = {screen.left, screen.top, screen.left + size.cx, screen.top + size.cy};
}

void MonitorWindow::Layout() {
    const int h = GetSize().cy;
    root_.SetSize(geo::kWidth, h);
    frame_.SetSize(geo::kWidth, h);
    tiles_.SetSize(137, h - 36);
    tiles_.FitRows();
    scrollUp_.SetPosition(60, 5);
    scrollDown_.SetPosition(60, h - 13);
    Shape();
    UpdateScrollButtons();
    StorePlacement();
}

void MonitorWindow::Shape() {
    const bool open = IsOpen();
    SIZE size = GetSize();
    const int w = size.cx, h = size.cy;
    const auto outline = [&](const Outlines& o, const Scale& s) {
        return open ? ComposeOutline(true, w, h, s, o.openTop, o.openBottom)
                    : ComposeOutline(false, w, h, s, o.normalTop, o.normalBottom);
    };
    const Region shape = outline(outlines_, Scale{});
    frame_.SetActive(open);
    root_.SetShape(shape);
    frame_.SetShape(shape);
    SetWindowRgn(hwnd_, (scale_.IsIdentity() ? shape : outline(scaledOutlines_, scale_)).DetachCopy(), TRUE);
    Invalidate();
}

void MonitorWindow::UpdateScrollButtons() {
    const bool open = IsOpen();
    scrollUp_.SetVisible(open && tiles_.CanScrollUp());
    scrollDown_.SetVisible(open && tiles_.CanScrollDown());
    // The closed capsule runs through the caption buttons' row: shown, their lower halves
    // would stick out of its top edge.
    frame_.CloseButton().SetVisible(open);
    PushButton& maximize = frame_.MaximizeButton();
    maximize.SetVisible(open);
    const bool single = tiles_.VisibleCount() == 1;
    maximize.SetTooltip(LoadResourceString(single ? IDS_TIP_MAXIMIZE : IDS_TIP_RESTORE));
    maximize.SetBaseFrame(single ? 0 : 2);
}

void MonitorWindow::ShrinkToNodes() {
    const int fitting = geo::HeightForRows(tiles_.NodeCount());
    if (GetSize().cy > fitting) Resize(geo::kWidth, fitting);
}

void MonitorWindow::KeepOnScreen() {
    geo::Box box = geo::ShiftOntoScreen(ScreenBox(hwnd_), LOWORD(ScreenWidth()), LOWORD(ScreenHeight()));
    SetWindowPos(hwnd_, nullptr, box.left, box.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    StorePlacement();
}

void MonitorWindow::Rebuild() {
    alertingTiles_.clear();
    tiles_.Rebuild();
    Layout();
    ShrinkToNodes();
    // Everything above only marked the window: it is painted once, here.
    Refresh();
}

void MonitorWindow::Expand() {
    // Never more rows than there are tiles: devices may have gone since the collapse.
    const int rows = rememberedVisible_ >= 0 ? std::min(rememberedVisible_, tiles_.NodeCount()) : tiles_.NodeCount();
    const int height = geo::ExpandedHeight(rows, scale_.Logical(GetSystemMetrics(SM_CYMAXIMIZED)));
    Resize(geo::kWidth, height);
}

void MonitorWindow::Collapse() {
    rememberedVisible_ = tiles_.VisibleCount();
    Resize(geo::kWidth, geo::kMinHeight);
}

void MonitorWindow::OnCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case FrameChrome::kMaximizeCommand: tiles_.VisibleCount() < 2 ? Expand() : Collapse(); return;
    case FrameChrome::kCloseCommand: CloseWithDetails(); return;
    case kScrollUpCommand:
    case kScrollDownCommand:
        LOWORD(wParam) == kScrollUpCommand ? tiles_.ScrollUp() : tiles_.ScrollDown();
        UpdateScrollButtons();
        scrollUp_.Redraw();
        scrollDown_.Redraw();
        return;
    default: FrameWindow::OnCommand(wParam);
    }
}

LRESULT MonitorWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!IsOpen()) {
        mouseOver_ = true;
        Shape();
        UpdateScrollButtons();
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
        // A move can be read after the pointer has already gone (the window appeared under
        // it, or the program was busy); some systems then never report the leave.
        if (!PointerOverWindow()) PostMessageA(hwnd_, WM_MOUSELEAVE, 0, 0);
    }
    SetCursor(GetSharedCursor(SharedCursor::Arrow));
    root_.RouteMouseMove(static_cast<UINT>(wParam), lParam);
    tooltip_.SetText(hwnd_, GetTooltipAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return 0;
}

bool MonitorWindow::PointerOverWindow() const {
    POINT pointer{};
    RECT window{};
    if (!GetCursorPos(&pointer) || !GetWindowRect(hwnd_, &window) || !PtInRect(&window, pointer)) return false;
    // The root holds the outline that the window was last given, at 96 DPI.
    return root_.GetShape().Contains(scale_.Logical(pointer.x - window.left), scale_.Logical(pointer.y - window.top));
}

void MonitorWindow::LeaveOpenState() {
    if (!IsOpen()) return;
    mouseOver_ = false;
    Shape();
    UpdateScrollButtons();
}

LRESULT MonitorWindow::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE: StorePlacement(); return 0;
    case WM_CLOSE: CloseWithDetails(); return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {Px(geo::kWidth), Px(geo::kMinHeight)};
        info->ptMaxTrackSize = {Px(geo::kWidth), Px(geo::HeightForRows(tiles_.NodeCount()))};
        return 0;
    }
    case WM_DISPLAYCHANGE:
        KeepOnScreen();
        CheckColorDepth();
        return 0;
    case WM_TIMER:
        if (!g_topologyReady) return 0;
        if (wParam == kActivityTimer) tiles_.UpdateLights();
        if (wParam == kAlertTimer) FlashStep();
        return 0;
    case WM_ENTERSIZEMOVE:
        drag_.Begin(ScreenBox(hwnd_), MessagePointer());
        return 0;
    case WM_SIZING: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        const bool bottomEdge = wParam == WMSZ_BOTTOM || wParam == WMSZ_BOTTOMLEFT || wParam == WMSZ_BOTTOMRIGHT;
        const geo::Box snapped =
            drag_.Sizing({r->left, r->top, r->right, r->bottom}, bottomEdge, MessagePointer(), tiles_.NodeCount(), scale_);
        *r = {snapped.left, snapped.top, snapped.right, snapped.bottom};
        return 1;
    }
    case WM_MOVING: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        const geo::Box kept = drag_.Moving({r->left, r->top, r->right, r->bottom}, MessagePointer(), ScreenWidth(),
                                           ScreenHeight());
        *r = {kept.left, kept.top, kept.right, kept.bottom};
        return 1;
    }
    case WM_MOUSELEAVE: LeaveOpenState(); return 0;
    default: return FrameWindow::OnOtherMessage(message, wParam, lParam);
    }
}

void MonitorWindow::SetAlert(const Alerts& alerts) {
    const bool on = !alerts.devices.empty();
    if (on == alertActive_) return;
    alertActive_ = on;
    if (on) {
        worstSeverity_ = alerts.worst;
        for (DeviceNode* node : alerts.devices)
            if (DeviceTile* tile = tiles_.TileForNode(node)) alertingTiles_.push_back(tile);
        SetTick(kAlertTimer, 250);
        return;
    }
    for (DeviceTile* tile : alertingTiles_) tile->SetMarkerVisible(true);
    host_.SetTrayImage(0);
    alertingTiles_.clear();
    ::KillTimer(hwnd_, kAlertTimer);
}

void MonitorWindow::FlashStep() {
    g_flashPhase = !g_flashPhase;
    host_.SetTrayImage(g_flashPhase ? worstSeverity_ : 0);
    // The markers blink against the tray image.
    for (DeviceTile* tile : alertingTiles_) tile->SetMarkerVisible(!g_flashPhase);
}

void LoadMonitorPlacement() {
    const RECT read = Settings::ReadPlacement("Monitor", {g_placement.left, g_placement.top, g_placement.right, g_placement.bottom});
    // Sizes are stored in 96-DPI units (see StorePlacement); the screen is in pixels.
    const Scale scale = WindowObject::ScaleOf(nullptr);
    const int width = read.right - read.left, height = read.bottom - read.top;
    const geo::Box shown = geo::ClampPlacement(
        {read.left, read.top, read.left + scale.Px(width), read.top + scale.Px(height)}, ScreenWidth(), ScreenHeight());
    g_placement = {shown.left, shown.top, shown.left + width, shown.top + height};
    LoadMonitorImages();
}

void SaveMonitorPlacement() {
    Settings::WritePlacement("Monitor", {g_placement.left, g_placement.top, g_placement.right, g_placement.bottom});
}

void ShowMonitor() {
    if (!g_monitor) return;
    HWND window = g_monitor->Handle();
    ShowWindow(window, SW_SHOW);
    SetWindowTextA(window, LoadResourceString(IDS_MONITOR_TITLE).Chars());
    SetForegroundWindow(window);
}

void HideMonitor() {
    if (!g_monitor) return;
    ShowWindow(g_monitor->Handle(), SW_HIDE);
    EndAlert();
}

bool IsMonitorVisible() { return g_monitor && IsWindowVisible(g_monitor->Handle()); }

void RebuildMonitor() {
    if (g_monitor) g_monitor->Rebuild();
}

void RepaintTiles() {
    if (g_monitor) g_monitor->Tiles().Redraw();
}

void StartActivityTimer() {
    if (!g_monitor) return;
    g_monitor->SetTick(MonitorWindow::kActivityTimer, TheDeviceTree().LightPeriod());
}

void StopActivityTimer() {
    if (!g_monitor) return;
    ::KillTimer(g_monitor->Handle(), MonitorWindow::kActivityTimer);
    g_monitor->Tiles().UpdateLights();
}

void ShowLights(bool on) {
    if (g_monitor) g_monitor->Tiles().ShowLights(on);
}

void SetAlert(const Alerts& alerts) {
    if (g_monitor) g_monitor->SetAlert(alerts);
}

void EndAlert() { SetAlert(Alerts{}); }

void SetAlwaysOnTop(bool on) {
    if (!g_monitor) return;
    SetWindowPos(g_monitor->Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void DestroyMonitor() {
    if (g_monitor && g_monitor->Handle()) DestroyWindow(g_monitor->Handle());
}

void SetMonitorBlocked(bool blocked) {
    if (!g_monitor) return;
    g_monitor->SetBlocked(blocked);
    if (blocked) g_monitor->HideTooltip();
}

HWND MonitorHandle() { return g_monitor ? g_monitor->Handle() : nullptr; }

void SetTopologyReady(bool ready) { g_topologyReady = ready; }
