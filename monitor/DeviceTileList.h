#pragma once
#include "base/Scale.h"
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "base/HandleOwners.h"
#include "framework/Element.h"
#include "monitor/DeviceTile.h"
#include "monitor/TileListHost.h"

class DeviceNode;
class DeviceTree;

// The monitor window's column of device tiles: one tile per monitored node, a window of
// consecutive visible rows that scrolls one tile at a time, the lights redrawn on the
// activity timer, and the live drag-to-reorder passed on to the driver interface.
class DeviceTileList : public ContainerElement {
public:
    DeviceTileList(Element* parent, DeviceTree& tree);
    ~DeviceTileList() override;

    void SetHost(TileListHost* host) { host_ = host; }
    TileListHost* Host() const { return host_; }

    // Rebuilds nodes and tiles from the monitoring order; every earlier tile is deleted.
    void Rebuild();
    void FitRows();
    bool ScrollUp();
    bool ScrollDown();
    bool CanScrollUp() const { return first_ > 0; }
    bool CanScrollDown() const { return first_ + visible_ < NodeCount(); }

    int NodeCount() const { return static_cast<int>(nodes_.size()); }
    int VisibleCount() const { return visible_; }
    int FirstVisible() const { return first_; }
    DeviceTile* TileAt(int index) const;
    DeviceTile* TileForNode(const DeviceNode* node) const;
    int IndexOfTile(const DeviceTile* tile) const;

    // Opens the details of the node at the index (the tiles' click).
    void OpenDetails(int index);
    void Command(int id) override { OpenDetails(id); }

    // Redraws straight onto the window each shown light that changed since it was drawn;
    // with the lights switched off, lets the window's DC go.
    void UpdateLights();
    // The light switch as the program last applied it; tiles draw lights only when on.
    void ShowLights(bool on) { lightsShown_ = on; }
    bool LightsShown() const { return lightsShown_; }
    // Moves the tile to the visible row under height y (list coordinates). False when the
    // lists were rebuilt meanwhile, so the tile that asked no longer exists.
    bool Reorder(DeviceTile* tile, int y);

    void UpdateShape() override;
    Element* HitTest(POINT* p) override;

private:
    void PositionTiles();
    DeviceTree& tree_;
    TileListHost* host_ = nullptr;
    std::vector<DeviceNode*> nodes_;
    std::vector<std::unique_ptr<DeviceTile>> tiles_;
    int first_ = 0;
    int visible_ = 1;
    unsigned rebuilds_ = 0;
    bool lightsShown_ = true;
    std::optional<WindowDC> lightsDc_;  // held from the first light drawn until switched off
    Scale lightsScale_;
    CRITICAL_SECTION reorderLock_;
};
