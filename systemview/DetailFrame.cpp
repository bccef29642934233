#include "systemview/DetailFrame.h"

#include <windowsx.h>

#include "base/Settings.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "model/DeviceNode.h"
#include "model/DeviceTree.h"
#include "resources/ResourceIds.h"
#include "systemview/DetailGeometry.h"
#include "systemview/SplitSnapPolicy.h"
#include "systemview/SystemTree.h"

namespace geo = detail_geometry;

namespace {

SystemView* g_view = nullptr;
DetailFrame* g_frame = nullptr;  // from the start of its construction, for the split bar's snaps
// Where the view opens, as read and written under "DetailFrame.*": the top-left corner in
// screen pixels, the size in 96-DPI units (right = left + width), so that a placement saved
// at one display scale opens at the same logical size at another; at 96 DPI it is the
// window's rectangle. It is kept on the screen in pixels, at the scale the window opens with.
RECT g_placement{150, 30, 750, 510};
bool g_maximized = false;
int g_splitPosition = 60;
SplitSnapPolicy g_snap(&DetailPaneCompactHeight, &DetailPaneFullHeight);

constexpr int kSplitTopMinimum = 30, kSplitBottomMinimum = 90;
constexpr int kCaptionStrip = 25;

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

RECT WindowBox(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

DetailFrame* Live() { return g_frame && g_frame->Handle() ? g_frame : nullptr; }

}  // namespace

DetailFrame::DetailFrame(DeviceNode* node, SystemViewHost& host)
    : FrameWindow(g_placement.left, g_placement.top, g_placement.right - g_placement.left,
                  g_placement.bottom - g_placement.top, WS_POPUP | WS_SYSMENU, 0, false),
      chrome_(&root_),
      pane_(nullptr),
      splitter_(&root_),
      tree_(std::make_unique<SystemTree>(nullptr, TheDeviceTree(), node)) {
    g_frame = this;
    pane_.SetTree(this);
    pane_.SetHost(&host);
    tree_->SetOpenHandler(&OpenDetailFrame);
    SetWindowTextA(hwnd_, LoadResourceString(IDS_DETAIL_TITLE).Chars());
    Layout();
    splitter_.SetPanes(&pane_, tree_.get());
    pane_.ShowNode(node);
    splitter_.SetLimits(kSplitTopMinimum, kSplitBottomMinimum);
    splitter_.SetFilter(&g_snap);
    splitter_.SetSplitPosition(g_splitPosition);
    if (g_maximized) Maximize();
    tooltip_.Create(hwnd_);
    tooltip_.AddTool(hwnd_);
    FitIntoWorkArea();
    ShowWindow(hwnd_, SW_SHOW);
}

DetailFrame::~DetailFrame() {
    if (g_frame == this) g_frame = nullptr;
    // Destroyed here, while this class's own handler still sees WM_DESTROY.
    if (hwnd_) DestroyWindow(hwnd_);
}

void DetailFrame::OnDestroy() {
    StorePlacement();
    g_splitPosition = splitter_.GetSplitPosition();
    // The panes hold the tree's records; the splitter lets them go before they do.
    splitter_.SetPanes(nullptr, nullptr);
    FrameWindow::OnDestroy();
}

void DetailFrame::StorePlacement() {
    if (!maximized_ && hwnd_) g_placement = geo::PlacementOf(WindowBox(hwnd_), scale_);
}

void DetailFrame::Layout() {
    FrameWindow::Layout();
    const SIZE size = GetSize();
    const int w = size.cx, h = size.cy;
    chrome_.SetBounds(0, 0, w, h);
    splitter_.SetBounds(24, 24, w - 47, h - 48);
    splitter_.SetShape(Region::CreateRoundRect(Rect{0, 0, w - 47, h - 48}, 40, 40));
    splitter_.Layout();
    StorePlacement();
    Invalidate();
}

void DetailFrame::Select(DeviceNode* node, bool anew) {
    anew ? pane_.ReshowNode(node) : pane_.ShowNode(node);
    tree_->SelectRecord(node);
    // The bar takes its snap again: one snapped to the pane follows the new node's height.
    splitter_.SetSplitPosition(splitter_.GetSplitPosition());
    Refresh();
}

void DetailFrame::RefreshContents() {
    tree_->Rebuild();
    DeviceTree& model = TheDeviceTree();
    DeviceNode* shown = model.SystemRecord();
    const uint8_t code = model.ChangeCode();
    if (code == 0 || code == 1) {
        // The node shown before, found again by its key name among the connected ones.
        const String key = pane_.ShownKeyName();
        if (DeviceNode* entry = model.EntryRecord()) {
            DeviceNode* node = entry;
            do {
                if (node->IsConnected() && node->KeyName() == key) {
                    shown = node;
                    break;
                }
                node = node->NextInMonitorOrder();
            } while (node && node != entry);
        }
    }
    Select(shown, true);
}

bool DetailFrame::IsHubCollapsed(const TopologyItem& hub) {
    const TreeNodeView* view = tree_->ViewFor(&hub);
    return view && view->IsCollapsed();
}

void DetailFrame::ToggleHub(TopologyItem& hub) {
    tree_->ExpandAncestors(hub);
    tree_->ToggleCollapsed(hub);
    tree_->Redraw();
}

void DetailFrame::Maximize() {
    maximized_ = g_maximized = true;
    SendMessageA(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    FillWorkArea();
    chrome_.SetMaximized();
}

void DetailFrame::FillWorkArea() {
    const RECT work = WorkArea();
    SetWindowPos(hwnd_, nullptr, work.left + 1, work.top + 1, work.right - work.left - 2, work.bottom - work.top - 2,
                 SWP_NOZORDER);
}

void DetailFrame::OnScaleChanged() {
    // The suggested rectangle keeps the logical size, which a larger scale may take beyond
    // the work area. The split position, in 96-DPI units, stays as it was.
    FrameWindow::OnScaleChanged();
    maximized_ ? FillWorkArea() : FitIntoWorkArea();
}

void DetailFrame::Restore() {
    SendMessageA(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
    chrome_.SetRestored();
    maximized_ = g_maximized = false;
}

void DetailFrame::FitIntoWorkArea() {
    const RECT r = geo::FitIntoWorkArea(WindowBox(hwnd_), WorkArea());
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DetailFrame::OnCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case FrameChrome::kMaximizeCommand: maximized_ ? Restore() : Maximize(); return;
    // Closed from the message loop, not from inside the button that asked.
    case FrameChrome::kCloseCommand: PostMessageA(hwnd_, WM_CLOSE, 0, 0); return;
    default: FrameWindow::OnCommand(wParam);
    }
}

LRESULT DetailFrame::OnActivate(WPARAM wParam, LPARAM) {
    if (blocked_) return 0;
    chrome_.SetActive(LOWORD(wParam) != WA_INACTIVE);
    const RECT strip{0, 0, Px(GetSize().cx), Px(kCaptionStrip)};
    InvalidateRect(hwnd_, &strip, TRUE);
    return 0;
}

LRESULT DetailFrame::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
    if (!blocked_) {
        SetActiveWindow(hwnd_);
        const SIZE size = GetSize();
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (!maximized_ && chrome_.InResizeGrip(p)) {
            resizing_ = true;
            gripOffset_ = {size.cx - p.x, size.cy - p.y};
            SetCapture(hwnd_);
        }
    }
    return FrameWindow::OnLeftButtonDown(wParam, lParam);
}

void DetailFrame::ResizeByGrip(POINT pointer) {
    POINT corner{Px(pointer.x + gripOffset_.x), Px(pointer.y + gripOffset_.y)};
    ClientToScreen(hwnd_, &corner);
    MINMAXINFO limits{};
    SendMessageA(hwnd_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const RECT box = WindowBox(hwnd_);
    const SIZE size = geo::GripSize({box.left, box.top}, corner, WorkArea(), limits);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    SetCursor(GetSharedCursor(SharedCursor::Grab));
}

LRESULT DetailFrame::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (blocked_) return 0;
    const POINT pointer{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    tooltip_.SetText(hwnd_, GetTooltipAt(pointer.x, pointer.y));
    if (!resizing_) return FrameWindow::OnMouseMove(wParam, lParam);
    ResizeByGrip(pointer);
    return 0;
}

LRESULT DetailFrame::OnLeftButtonUp(WPARAM wParam, LPARAM lParam) {
    if (blocked_) return 0;
    if (resizing_) {
        resizing_ = false;
        ReleaseCapture();
    }
    return FrameWindow::OnLeftButtonUp(wParam, lParam);
}

LRESULT DetailFrame::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE: StorePlacement(); return 0;
    case WM_CLOSE: CloseDetailFrame(); return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {Px(geo::kMinWidth), Px(geo::kMinHeight)};
        info->ptMaxTrackSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return 0;
    }
    case WM_DISPLAYCHANGE: FitIntoWorkArea(); return 0;
    // A grip drag whose capture was taken away (another window, a modal box) ends there.
    case WM_CAPTURECHANGED:
        resizing_ = false;
        return FrameWindow::OnOtherMessage(message, wParam, lParam);
    case WM_GETICON: return reinterpret_cast<LRESULT>(GetSharedIcon(0));
    // The grip is this window's own: the chrome's request for the system's sizing loop
    // would make a second mechanism fight the first.
    case WM_NCLBUTTONDOWN:
        if (wParam == HTBOTTOMRIGHT) return 0;
        return FrameWindow::OnOtherMessage(message, wParam, lParam);
    default: return FrameWindow::OnOtherMessage(message, wParam, lParam);
    }
}

SystemView::SystemView(SystemViewHost& host) : host_(host) { g_view = this; }

SystemView::~SystemView() {
    g_view = nullptr;
    frame_.reset();
}

void SystemView::Open(DeviceNode* node) {
    if (!Live()) {
        frame_.reset();
        LoadDetailFramePlacement();
        frame_ = std::make_unique<DetailFrame>(node, host_);
    } else if (node) {
        g_frame->Select(node);
    }
    if (Live()) SetForegroundWindow(g_frame->Handle());
}

void SystemView::Close() { frame_.reset(); }

void OpenDetailFrame(DeviceNode* node) {
    if (g_view) g_view->Open(node);
}

void CloseDetailFrame() {
    if (g_view) g_view->Close();
}

void ShowDetailFrame(bool show) {
    if (Live()) ShowWindow(g_frame->Handle(), show ? SW_SHOW : SW_HIDE);
}

bool IsDetailFrameVisible() { return Live() && IsWindowVisible(g_frame->Handle()); }

void RefreshDetailFrame() {
    if (Live()) g_frame->RefreshContents();
}

void RepaintDetailPanes() {
    if (!Live()) return;
    g_frame->Pane().Redraw();
    g_frame->Tree().Redraw();
}

void SetDetailFrameLocked(bool locked) {
    if (!Live()) return;
    g_frame->SetBlocked(locked);
    if (locked) g_frame->HideTooltip();
}

void LoadDetailFramePlacement() {
    const RECT stored = Settings::ReadPlacement("DetailFrame", g_placement);
    g_maximized = Settings::ReadDword("DetailFrame.maximized", g_maximized ? 1 : 0) != 0;
    g_placement = geo::PlacementOnScreen(stored, WindowObject::ScaleOf(nullptr), GetSystemMetrics(SM_CXSCREEN),
                                         GetSystemMetrics(SM_CYSCREEN));
}

void SaveDetailFramePlacement() {
    Settings::WritePlacement("DetailFrame", g_placement);
    Settings::WriteDword("DetailFrame.maximized", g_maximized ? 1 : 0);
}

int DetailPaneCompactHeight() { return Live() ? g_frame->Pane().CompactHeight() : 0; }
int DetailPaneFullHeight() { return Live() ? g_frame->Pane().FullHeight() : 0; }
