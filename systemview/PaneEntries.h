#pragma once
#include <windows.h>

#include "framework/ItemList.h"

class DeviceNode;
class HubTree;

// The entries of the information pane's lists. Each has a fixed size and draws itself at
// the place its list gives; it holds its node only until the pane shows another one.

// An adapter's root hub or a hub, in the computer's list of adapters and hubs.
class HubEntry : public ListItem {
public:
    static constexpr RECT kToggle{15, 8, 39, 40};  // the square that folds the hub (edges included)

    HubEntry(DeviceNode& node, HubTree* tree) : node_(node), tree_(tree) {}
    void Measure(SIZE* out, int) override { *out = {250, 48}; }
    void Draw(HDC dc, int x, int y, int width) override;

    static bool InToggle(POINT p) {
        return p.x >= kToggle.left && p.x <= kToggle.right && p.y >= kToggle.top && p.y <= kToggle.bottom;
    }
    bool Collapsed() const;
    void Toggle();
    // "Click to show more" or "Click to show less" over the toggle, nothing elsewhere.
    String Tooltip(POINT p) const;

private:
    DeviceNode& node_;
    HubTree* tree_;
};

// A hub or device that is known but unplugged, with where it was last seen.
class DisconnectedEntry : public ListItem {
public:
    explicit DisconnectedEntry(DeviceNode& node) : node_(node) {}
    void Measure(SIZE* out, int) override { *out = {250, 40}; }
    void Draw(HDC dc, int x, int y, int width) override;

private:
    DeviceNode& node_;
};

// The hardware, power and driver facts of a hub or device.
class InformationEntry : public ListItem {
public:
    explicit InformationEntry(DeviceNode& node) : node_(node) {}
    void Measure(SIZE* out, int) override { *out = {500, 100}; }
    void Draw(HDC dc, int x, int y, int width) override;

private:
    DeviceNode& node_;
};
