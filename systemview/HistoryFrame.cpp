#include "systemview/HistoryFrame.h"

#include <windowsx.h>

#include <algorithm>

#include "base/Settings.h"
#include "framework/ElementText.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"
#include "systemview/DetailGeometry.h"
#include "systemview/HistoryHost.h"

namespace geo = detail_geometry;

namespace {

HistoryView* g_view = nullptr;
HistoryFrame* g_frame = nullptr;
// Stored as the system view's is (DetailFrame.cpp): top-left in pixels, size in 96-DPI units.
RECT g_placement{210, 60, 710, 540};
bool g_placementLoaded = false;  // what is stored stays until this run has read it

constexpr int kMinWidth = 360, kMinHeight = 260;
// The pane inside the frame's edges, the heading and the list inside the pane.
constexpr int kEdge = 24, kListLeft = 10, kListTop = 34, kListBottom = 14;

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void LoadPlacement() {
    RECT stored = Settings::ReadPlacement("History", g_placement);
    // Never smaller than the window can be, then onto the screen.
    stored.right = std::max(stored.right, stored.left + kMinWidth);
    stored.bottom = std::max(stored.bottom, stored.top + kMinHeight);
    g_placement = geo::PlacementOnScreen(stored, WindowObject::ScaleOf(nullptr), GetSystemMetrics(SM_CXSCREEN),
                                         GetSystemMetrics(SM_CYSCREEN));
    g_placementLoaded = true;
}

HistoryFrame* Live() { return g_frame && g_frame->Handle() ? g_frame : nullptr; }

}  // namespace

void HistoryPane::DrawSelf(HDC dc) {
    const RECT all{0, 0, width_, height_};
    FillRect(dc, &all, GetSharedBrush(SharedBrush::Grey165));
    DrawLabel(dc, GetSharedFont(SharedFont::Title), kListLeft, 12, LoadResourceString(IDS_HISTORY_HEADING));
}

Element* HistoryPane::HitTest(POINT* p) {
    const int grip = width_ + kEdge - 1 - FrameChrome::kGripSize;
    return p->x >= grip && p->y >= height_ + kEdge - FrameChrome::kGripSize ? nullptr : ContainerElement::HitTest(p);
}

HistoryFrame::HistoryFrame(HistoryHost& host)
    : FrameWindow(g_placement.left, g_placement.top, g_placement.right - g_placement.left,
                  g_placement.bottom - g_placement.top, WS_POPUP | WS_SYSMENU, 0, false),
      host_(host),
      chrome_(&root_),
      pane_(&root_),
      list_(&pane_, host) {
    g_frame = this;
    SetWindowTextA(hwnd_, LoadResourceString(IDS_HISTORY_TITLE).Chars());
    // A list has nothing to gain from a whole screen: the grip sizes it.
    chrome_.MaximizeButton().SetVisible(false);
    Layout();
    Reload();
    tooltip_.Create(hwnd_);
    tooltip_.AddTool(hwnd_);
    const RECT r = geo::FitIntoWorkArea(geo::PlacedBox(g_placement, scale_), WorkArea());
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOW);
}

HistoryFrame::~HistoryFrame() {
    if (g_frame == this) g_frame = nullptr;
    // Destroyed here, while this class's own handler still sees WM_DESTROY.
    if (hwnd_) DestroyWindow(hwnd_);
}

void HistoryFrame::Reload() { list_.ShowEntries(host_.HistoryLog().Entries()); }

void HistoryFrame::OnDestroy() {
    StorePlacement();
    SaveHistoryWindowPlacement();
    FrameWindow::OnDestroy();
}

void HistoryFrame::StorePlacement() {
    RECT box{};
    if (hwnd_ && GetWindowRect(hwnd_, &box)) g_placement = geo::PlacementOf(box, scale_);
}

void HistoryFrame::Layout() {
    FrameWindow::Layout();
    const SIZE size = GetSize();
    const int w = size.cx - 2 * kEdge + 1, h = size.cy - 2 * kEdge;
    chrome_.SetBounds(0, 0, size.cx, size.cy);
    pane_.SetBounds(kEdge, kEdge, w, h);
    // Rounded like the system view's inside.
    pane_.SetShape(Region::CreateRoundRect(Rect{0, 0, w, h}, 40, 40));
    list_.SetBounds(kListLeft, kListTop, w - 2 * kListLeft, h - kListTop - kListBottom);
    StorePlacement();
    Invalidate();
}

void HistoryFrame::OnCommand(WPARAM wParam) {
    // Closed from the message loop, not from inside the button that asked.
    if (LOWORD(wParam) == FrameChrome::kCloseCommand) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

LRESULT HistoryFrame::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!blocked_) tooltip_.SetText(hwnd_, GetTooltipAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return FrameWindow::OnMouseMove(wParam, lParam);
}

LRESULT HistoryFrame::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE: StorePlacement(); return 0;
    case WM_CLOSE: CloseHistoryWindow(); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        return 0;
    case WM_MOUSEWHEEL: list_.Wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {Px(kMinWidth), Px(kMinHeight)};
        return 0;
    }
    case WM_GETICON: return reinterpret_cast<LRESULT>(GetSharedIcon(0));
    default: return FrameWindow::OnOtherMessage(message, wParam, lParam);
    }
}

HistoryView::HistoryView(HistoryHost& host) : host_(host) { g_view = this; }

HistoryView::~HistoryView() {
    g_view = nullptr;
    frame_.reset();
}

void HistoryView::Open() {
    if (!Live()) {
        frame_.reset();
        LoadPlacement();
        frame_ = std::make_unique<HistoryFrame>(host_);
    }
    if (Live()) SetForegroundWindow(g_frame->Handle());
}

void HistoryView::Close() { frame_.reset(); }

void OpenHistoryWindow() {
    if (g_view) g_view->Open();
}

void CloseHistoryWindow() {
    if (g_view) g_view->Close();
}

void RefreshHistoryWindow() {
    if (Live()) g_frame->Reload();
}

void SaveHistoryWindowPlacement() {
    if (!g_placementLoaded) return;
    Settings::WritePlacement("History", g_placement);
}
