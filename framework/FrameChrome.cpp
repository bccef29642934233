#include "framework/FrameChrome.h"

#include "framework/SharedLook.h"
#include "framework/FrameImages.h"
#include "framework/RootElement.h"
#include "graphics/ImageHelpers.h"
#include "graphics/ResourceStrings.h"
#include "resources/ResourceIds.h"

namespace {
constexpr int kMaximizeFrame = 0, kRestoreFrame = 2, kCloseFrame = 4;
// The frame pieces (FrameImages.h): the bars are 50 high with caps 500 and 60 wide, and
// their repeated middles 30 high; the sides are 24 wide, their long pieces 340 below the bar.
constexpr int kBarHeight = 50, kWideCap = 500, kNarrowCap = 60, kBarEdgeHeight = 30;
constexpr int kSideWidth = 24, kLongSideEnd = kBarHeight + 340;

void Fill(HDC dc, int left, int top, int right, int bottom, SharedBrush brush) {
    RECT area{left, top, right, bottom};
    FillRect(dc, &area, GetSharedBrush(brush));
}
}  // namespace

FrameChrome::FrameChrome(Element* parent)
    : ContainerElement(parent),
      maximize_(this, kMaximizeCommand, &CaptionButtonStrip(), kMaximizeFrame),
      close_(this, kCloseCommand, &CaptionButtonStrip(), kCloseFrame) {
    SetTooltip(LoadResourceString(IDS_TIP_MOVE));
    maximize_.SetTooltip(LoadResourceString(IDS_TIP_MAXIMIZE));
    close_.SetTooltip(LoadResourceString(IDS_TIP_CLOSE));
}

void FrameChrome::DrawSelf(HDC dc) {
    const int w = width_, h = height_;
    Fill(dc, 0, 0, w, h - kBarHeight, SharedBrush::Grey165);
    Fill(dc, 0, h - kBarHeight, w, h, SharedBrush::Grey224);
    BlendImage(dc, FrameImage(FramePiece::TopLeft), 0, 0);
    BlendImage(dc, FrameImage(FramePiece::LeftUpper), 0, kBarHeight);
    TileHorizontal(dc, FrameImage(FramePiece::TopEdge), kWideCap, 0, w - kNarrowCap);
    BlendImage(dc, FrameImage(FramePiece::TopRight), w - kNarrowCap, 0);
    TileVertical(dc, FrameImage(FramePiece::LeftEdge), 0, kLongSideEnd, h - kBarHeight);
    TileVertical(dc, FrameImage(FramePiece::RightEdge), w - kSideWidth, kBarHeight, h - kLongSideEnd);
    BlendImage(dc, FrameImage(FramePiece::BottomLeft), 0, h - kBarHeight);
    TileHorizontal(dc, FrameImage(FramePiece::BottomEdge), kNarrowCap, h - kBarEdgeHeight, w - kWideCap);
    BlendImage(dc, FrameImage(FramePiece::BottomRight), w - kWideCap, h - kBarHeight);
    BlendImage(dc, FrameImage(FramePiece::RightLower), w - kSideWidth, h - kLongSideEnd);
    BlendImage(dc, FrameImage(active_ ? FramePiece::BadgeActive : FramePiece::BadgeInactive), (w - 72) / 2, 8);
}

void FrameChrome::PlaceCaptionButtons() {
    maximize_.SetPosition(width_ - 70, 6);
    close_.SetPosition(width_ - 50, 6);
}

void FrameChrome::UpdateShape() {
    PlaceCaptionButtons();
    shape_ = parent_ ? parent_->GetShape() : Region::CreateRect(0, 0, width_, height_);
}

void FrameChrome::Command(int id) {
    if (parent_) parent_->Command(id);
}

void FrameChrome::OnLeftButtonDown(POINT* p, UINT keys) {
    if (!(keys & MK_LBUTTON)) {
        SetCursor(GetSharedCursor(SharedCursor::Arrow));
        return;
    }
    RootElement* root = GetRoot();
    HWND window = root ? root->GetWindow() : nullptr;
    SetActiveWindow(window);
    SetCursor(GetSharedCursor(SharedCursor::Grab));
    if (IsZoomed(window)) return;
    // The system runs its own moving or sizing loop from here.
    SendMessageA(window, WM_NCLBUTTONDOWN, InResizeGrip(*p) ? HTBOTTOMRIGHT : HTCAPTION, 0);
}

void FrameChrome::OnLeftButtonUp(POINT*, UINT) { SetCursor(GetSharedCursor(SharedCursor::Arrow)); }
void FrameChrome::OnMouseMove(POINT*, UINT) { SetCursor(GetSharedCursor(SharedCursor::Arrow)); }

String FrameChrome::GetTooltip(POINT* p) {
    if (maximized_) return String();
    if (InResizeGrip(*p)) return LoadResourceString(IDS_TIP_RESIZE);
    return tooltip_;
}

void FrameChrome::SetMaximized() {
    maximized_ = true;
    maximize_.SetTooltip(LoadResourceString(IDS_TIP_RESTORE));
    maximize_.SetBaseFrame(kRestoreFrame);
    maximize_.Redraw();
}

void FrameChrome::SetRestored() {
    maximized_ = false;
    maximize_.SetTooltip(LoadResourceString(IDS_TIP_MAXIMIZE));
    maximize_.SetBaseFrame(kMaximizeFrame);
    maximize_.Redraw();
}
