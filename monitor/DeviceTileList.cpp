#include "monitor/DeviceTileList.h"

#include <algorithm>
#include <set>

#include "framework/RootElement.h"
#include "framework/WindowObject.h"
#include "graphics/ScaledDC.h"
#include "model/DeviceTree.h"
#include "model/DriverInterface.h"
#include "monitor/TileGeometry.h"

DeviceTileList::DeviceTileList(Element* parent, DeviceTree& tree) : ContainerElement(parent), tree_(tree) {
    InitializeCriticalSection(&reorderLock_);
}

DeviceTileList::~DeviceTileList() {
    DeleteCriticalSection(&reorderLock_);
    tiles_.clear();
}

void DeviceTileList::Rebuild() {
    nodes_.clear();
    if (DeviceNode* start = tree_.MonitorStartRecord()) {
        // A damaged ring that never comes back to the start must not loop forever.
        std::set<DeviceNode*> seen;
        for (DeviceNode* node = start; node && seen.insert(node).second; node = node->NextInMonitorOrder())
            if (node->IsShownInMonitor()) nodes_.push_back(node);
    }
    ++rebuilds_;
    // Deleting a tile also ends a drag it held the capture for.
    tiles_.clear();
    for (int i = 0; i < NodeCount(); ++i) tiles_.push_back(std::make_unique<DeviceTile>(this, i, nodes_[i]));
    visible_ = std::min(visible_, NodeCount());
    first_ = tiles::ClampFirstVisible(first_, visible_, NodeCount());
    PositionTiles();
}

void DeviceTileList::FitRows() {
    visible_ = tiles::FitRows(height_, NodeCount());
    first_ = tiles::ClampFirstVisible(first_, visible_, NodeCount());
    PositionTiles();
}

void DeviceTileList::UpdateShape() {
    ContainerElement::UpdateShape();
    FitRows();
}

void DeviceTileList::PositionTiles() {
    for (int i = 0; i < NodeCount(); ++i) {
        tiles_[i]->SetVisible(false);
        tiles_[i]->SetIndex(i);
    }
    int y = 0;
    for (int row = 0; row < visible_; ++row) {
        DeviceTile& tile = *tiles_[first_ + row];
        tile.SetPositionKind(tiles::KindAt(row, visible_));
        tile.SetBounds(0, y, tiles::kWidth, tile.KindHeight());
        tile.SetVisible(true);
        y += tile.KindHeight();
    }
}

bool DeviceTileList::ScrollUp() {
    if (!CanScrollUp()) return false;
    --first_;
    PositionTiles();
    Redraw();
    return true;
}

bool DeviceTileList::ScrollDown() {
    if (!CanScrollDown()) return false;
    ++first_;
    PositionTiles();
    Redraw();
    return true;
}

DeviceTile* DeviceTileList::TileAt(int index) const {
    return index >= 0 && index < NodeCount() ? tiles_[index].get() : nullptr;
}

DeviceTile* DeviceTileList::TileForNode(const DeviceNode* node) const {
    const auto found = std::find(nodes_.begin(), nodes_.end(), node);
    return found == nodes_.end() ? nullptr : tiles_[found - nodes_.begin()].get();
}

int DeviceTileList::IndexOfTile(const DeviceTile* tile) const {
    for (int i = 0; i < NodeCount(); ++i)
        if (tiles_[i].get() == tile) return i;
    return -1;
}

void DeviceTileList::OpenDetails(int index) {
    if (host_ && index >= 0 && index < NodeCount()) host_->OpenDetails(*nodes_[index]);
}

void DeviceTileList::UpdateLights() {
    RootElement* root = GetRoot();
    if (!root || !lightsShown_) {
        lightsDc_.reset();  // switched off: no tick comes until they are switched on again
        return;
    }
    // Most ticks change few lights or none: nothing is drawn unless one did.
    if (std::none_of(tiles_.begin(), tiles_.end(), [](const auto& tile) { return tile->LightChanged(); })) return;
    // Taking and releasing a window's DC costs several times what drawing every light does,
    // so the lights keep theirs while they run; its visible region follows the window.
    const Scale scale = WindowObject::ScaleOf(root->GetWindow());
    if (!lightsDc_ || lightsDc_->Window() != root->GetWindow() || scale != lightsScale_) {
        lightsDc_.reset();
        lightsDc_.emplace(root->GetWindow());
        ApplyScale(lightsDc_->Get(), scale);
        lightsScale_ = scale;
    }
    HDC dc = lightsDc_->Get();
    // The list's top-left corner in the window is -local; each tile sits at its offset in it.
    const POINT local = root->ToLocal(this, POINT{0, 0});
    for (const auto& tile : tiles_)
        if (tile->IsVisible()) tile->DrawLight(dc, POINT{tile->X() - local.x, tile->Y() - local.y}, true);
}

bool DeviceTileList::Reorder(DeviceTile* tile, int y) {
    if (visible_ == 1) return true;
    EnterCriticalSection(&reorderLock_);
    const int source = IndexOfTile(tile);
    const int target = tiles::ReorderTarget(first_, visible_, y);
    if (source < 0 || target == source) {
        LeaveCriticalSection(&reorderLock_);
        return true;
    }
    tiles::MoveEntry(tiles_, source, target);
    tiles::MoveEntry(nodes_, source, target);
    PositionTiles();
    const unsigned rebuilds = rebuilds_;
    DriverInterface::Instance().MoveBy(nodes_[target]->Record(), target - source);
    const bool kept = rebuilds == rebuilds_;
    Redraw();
    LeaveCriticalSection(&reorderLock_);
    return kept;
}

Element* DeviceTileList::HitTest(POINT* p) {
    // Only tiles answer: the gaps between their outlines belong to whatever lies behind.
    Element* hit = ContainerElement::HitTest(p);
    return hit == this ? nullptr : hit;
}
