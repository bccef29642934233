#include "framework/FrameWindow.h"

#include "framework/SharedLook.h"
#include "resources/ResourceIds.h"

namespace {
constexpr UINT kCornerIds[4] = {IDR_FRAME_TOP_LEFT, IDR_FRAME_TOP_RIGHT, IDR_FRAME_BOTTOM_LEFT, IDR_FRAME_BOTTOM_RIGHT};
constexpr int kCornerWidth = 45, kCornerHeight = 44;
}  // namespace

FrameWindow::FrameWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle, bool visible)
    : ElementRouting(nullptr, style, exStyle, visible), root_(hwnd_) {
    LoadCorners();
    // The position is on the screen, in pixels; the size is the frame's own, in 96-DPI units.
    SetWindowPos(hwnd_, nullptr, x, y, Px(width), Px(height), SWP_NOZORDER);
    SetWindowRgn(hwnd_, outline_.DetachCopy(), TRUE);
    FrameWindow::Layout();
}

void FrameWindow::LoadCorners() {
    // A corner that fails leaves it and the following ones out of the outline.
    bool loaded = true;
    for (int i = 0; i < 4; ++i) {
        corners_[i] = Region();
        loaded = loaded && corners_[i].LoadFromResource(kCornerIds[i], scale_);
    }
}

Region FrameWindow::BuildOutline(int w, int h, const Region corners[4], const Scale& scale) {
    // The right and bottom corners end at the far edges, where the chrome's art ends too.
    const int cw = scale.Px(kCornerWidth), ch = scale.Px(kCornerHeight);
    Region outline = Region::Merge(Region::CreateRect(cw, 0, w - 2 * cw, h), Region::CreateRect(0, ch, w, h - 2 * ch));
    outline = Region::Merge(outline, corners[0]);
    outline = Region::Merge(outline, Region::Offset(corners[1], w - cw, 0));
    outline = Region::Merge(outline, Region::Offset(corners[2], 0, h - ch));
    outline = Region::Merge(outline, Region::Offset(corners[3], w - cw, h - ch));
    return outline;
}

void FrameWindow::Layout() {
    SIZE size = GetSize();
    // Composed in pixels from corners drawn for the scale, over the pixels the elements
    // cover. Scaled, the region alone cuts the corners: the elements' shape is the whole
    // window, as an outline from 96 DPI would cut them again, in blocks.
    outline_ = BuildOutline(Px(size.cx), Px(size.cy), corners_, scale_);
    root_.SetSize(size.cx, size.cy);
    root_.SetShape(scale_.IsIdentity() ? outline_ : Region::CreateRect(0, 0, size.cx, size.cy));
    SetWindowRgn(hwnd_, outline_.DetachCopy(), TRUE);
}

void FrameWindow::OnScaleChanged() {
    LoadCorners();
    Layout();
}

void FrameWindow::Resize(int width, int height) {
    SetWindowPos(hwnd_, nullptr, 0, 0, Px(width), Px(height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE size = GetSize();
    if (root_.Width() != size.cx || root_.Height() != size.cy) Layout();
}

String FrameWindow::GetTooltipAt(int x, int y) { return root_.GetTooltipAt(x, y); }

void FrameWindow::Draw(HDC dc) { root_.PaintTo(dc); }

void FrameWindow::OnCommand(WPARAM wParam) {
    if (LOWORD(wParam) == 2) DestroyWindow(hwnd_);
}

LRESULT FrameWindow::OnSize(WPARAM, LPARAM) {
    Layout();
    return 0;
}

LRESULT FrameWindow::NotTaken(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN) SetCursor(GetSharedCursor(SharedCursor::Arrow));
    return Unhandled(message, wParam, lParam);
}
