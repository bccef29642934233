#include "monitor/DeviceTile.h"

#include "framework/SharedLook.h"
#include "framework/RootElement.h"
#include "base/FormatText.h"
#include "base/HandleOwners.h"
#include "framework/NodePictures.h"
#include "graphics/ResourceStrings.h"
#include "graphics/StartupStrips.h"
#include "model/DeviceNode.h"
#include "monitor/DeviceTileList.h"
#include "monitor/TileArt.h"
#include "monitor/TileGeometry.h"
#include "resources/ResourceIds.h"

namespace {

Region BuildShape(int kind) {
    using R = Region;
    const int w = tiles::kWidth, h = tiles::kRowHeight;
    // The first tile of a column bulges above its marker; the only tile there and below.
    const Region topBulge = R::CreateEllipse(25, -2, 37, 36);
    switch (kind) {
    case tiles::kOnly: return R::Merge(R::Merge(R::CreateRect(0, 6, w, h), topBulge), R::CreateEllipse(26, 9, 37, 36));
    case tiles::kFirst: return R::Merge(R::CreateRect(0, 6, w, h), topBulge);
    case tiles::kLast: return R::Merge(R::CreateRect(0, 0, w, h), R::CreateEllipse(27, 5, 34, 34));
    default: return R::CreateRect(0, 0, w, h);
    }
}

// Each kind's outline is built once; tiles take copies.
const Region& ShapeOfKind(int kind) {
    static const Region shapes[] = {BuildShape(tiles::kOnly), BuildShape(tiles::kFirst), BuildShape(tiles::kMiddle),
                                    BuildShape(tiles::kLast)};
    return shapes[kind - tiles::kOnly];
}

}  // namespace


DeviceTile::DeviceTile(DeviceTileList* list, int index, DeviceNode* node)
    : Element(list), list_(list), index_(index), node_(node),
      reorderHint_(LoadResourceString(IDS_TIP_DETAILS_REORDER)) {
    SetTooltip(LoadResourceString(IDS_TIP_DETAILS));
    UpdateShape();
}

void DeviceTile::SetPositionKind(int kind) {
    if (kind < tiles::kOnly || kind > tiles::kLast) return;
    kind_ = kind;
    UpdateShape();
}

int DeviceTile::KindHeight() const { return tiles::TileHeight(kind_); }

// Resizing keeps the outline of the kind rather than the plain rectangle.
void DeviceTile::UpdateShape() {
    if (shapeKind_ == kind_) return;
    shape_ = ShapeOfKind(kind_);
    shapeKind_ = kind_;
}
Element* DeviceTile::HitTest(POINT* p) { return shape_.Contains(p->x, p->y) ? this : nullptr; }

void DeviceTile::DrawSelf(HDC dc) {
    DrawTileBackground(dc, kind_, tiles::BackgroundFrame(kind_, IsPressedInside()));
    const int y0 = tiles::ContentTop(kind_);
    const bool system = node_->IsSystem();
    if (!system && markerVisible_) DrawSeverityMarker(dc, node_->Severity(), 10, y0);
    DrawNodeIcon(dc, *node_, 32, y0 - 3);
    if (system) return;
    DrawNodeBadge(dc, *node_, IsPressedInside(), 64, y0);
    DrawLight(dc, POINT{0, 0}, false);
    // A paint may not reach the screen where the light is: the next tick draws it again.
    drawnLight_ = -1;
}

bool DeviceTile::LightChanged() const {
    if (!list_->LightsShown() || !visible_ || node_->IsSystem()) return false;
    return tiles::LightFrame(node_->LightLevel(), IsPressedInside()) != drawnLight_;
}

void DeviceTile::DrawLight(HDC dc, POINT at, bool onlyIfChanged) {
    if (!list_->LightsShown() || !visible_ || node_->IsSystem()) return;
    const int frame = tiles::LightFrame(node_->LightLevel(), IsPressedInside());
    if (onlyIfChanged && frame == drawnLight_) return;
    drawnLight_ = frame;
    DrawLightFrame(dc, frame, at.x + 108, at.y + tiles::ContentTop(kind_) + 2);
}

POINT DeviceTile::WindowOffset() {
    RootElement* root = GetRoot();
    const POINT local = root ? root->ToLocal(this, POINT{0, 0}) : POINT{0, 0};
    return POINT{-local.x, -local.y};
}

void DeviceTile::SetMarkerVisible(bool show) {
    markerVisible_ = show;
    RootElement* root = GetRoot();
    if (node_->IsSystem() || !visible_ || !root) return;
    const POINT at = WindowOffset();
    const int x = at.x + 10, y = at.y + tiles::ContentTop(kind_);
    HDC dc = root->GetDC();
    if (show) {
        DrawSeverityMarker(dc, node_->Severity(), x, y);
    } else {
        // The grey of the tile's face, so the square vanishes without repainting the tile.
        const RECT square{x, y, x + 18, y + 18};
        FillRect(dc, &square, GetSharedBrush(IsPressedInside() ? SharedBrush::Grey165 : SharedBrush::Grey224));
    }
    root->ReleaseDC(dc);
}

void DeviceTile::OnLeftButtonDown(POINT*, UINT keys) {
    const HCURSOR tileCursor = GetSharedCursor(SharedCursor::Pointer);
    if (!(keys & MK_LBUTTON)) {
        SetCursor(tileCursor);
        return;
    }
    if (list_->Host() && list_->Host()->IsOptionsDialogOpen()) {
        SetCursor(tileCursor);
        MessageBeep(0);
        return;
    }
    SetCursor(GetSharedCursor(SharedCursor::Grab));
    pressed_ = inside_ = true;
    dragged_ = false;
    Redraw();
    if (RootElement* root = GetRoot()) root->SetCapture(this);
}

void DeviceTile::OnMouseMove(POINT* p, UINT) {
    SetCursor(GetSharedCursor(inside_ ? SharedCursor::Grab : SharedCursor::Pointer));
    RootElement* root = GetRoot();
    if (!pressed_ || !root) return;
    const bool wasInside = inside_;
    const POINT at = WindowOffset();
    POINT inWindow{p->x + at.x, p->y + at.y};
    if (root->HitTest(&inWindow) == this) {
        inside_ = true;
    } else {
        dragged_ = inside_ = true;
        // A topology change during the reorder deletes this tile: touch nothing after it.
        if (!list_->Reorder(this, p->y + y_)) return;
    }
    if (inside_ != wasInside) Redraw();
}

void DeviceTile::OnLeftButtonUp(POINT*, UINT) {
    SetCursor(GetSharedCursor(SharedCursor::Pointer));
    if (!pressed_) return;
    if (RootElement* root = GetRoot()) root->ReleaseCapture();
    const bool opens = inside_ && !dragged_;
    pressed_ = inside_ = false;
    Redraw();
    if (opens) list_->Command(index_);
}

String DeviceTile::GetTooltip(POINT* p) {
    const tiles::TipArea area = tiles::TooltipArea(kind_, p->x, p->y, node_->IsSystem(), list_->LightsShown());
    switch (area) {
    case tiles::TipArea::Severity: return SeverityLabel(node_->Severity());
    case tiles::TipArea::Name: return node_->Name();
    case tiles::TipArea::Port:
        return FormatText(LoadResourceString(IDS_TIP_PLUGGED_INTO), {node_->PortDesignation(), node_->UpstreamHubNumber()});
    case tiles::TipArea::Light: return LoadResourceString(IDS_TIP_LIGHT);
    default: return list_->VisibleCount() == 1 ? tooltip_ : reorderHint_;
    }
}
