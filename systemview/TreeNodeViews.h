#pragma once
#include <memory>

#include "systemview/TreeNodeView.h"

// The computer: a box the tree draws, with the item's text at the top. Its width is the
// text's at first; the layout widens it to hold the lettered root ports.
class ComputerView : public TreeNodeView {
public:
    explicit ComputerView(TopologyItem& item);
    void Click(SystemTree& tree, int x, int y) override;
    String GetTooltip(int x, int y) const override;
    void Draw(HDC dc) const override;
    SIZE GetSize() override;

private:
    String text_;
    int textWidth_ = -1;  // measured once, at the first sizing
};

// A hub: its plate and, when it has ports, the marker that collapses and expands it.
class HubView : public TreeNodeView {
public:
    using TreeNodeView::TreeNodeView;
    void Click(SystemTree& tree, int x, int y) override;
    String GetTooltip(int x, int y) const override;
    void Draw(HDC dc) const override;
    SIZE GetSize() override { return {24, 32}; }
    bool IsCollapsed() const override;
    COLORREF FrameColour() const override;

private:
    bool HasPorts() const;
    bool OnMarker(int y) const { return y >= Top() + 24; }
};

// A device: its icon and its name below.
class DeviceView : public TreeNodeView {
public:
    using TreeNodeView::TreeNodeView;
    void Click(SystemTree& tree, int x, int y) override;
    void Draw(HDC dc) const override;
    SIZE GetSize() override { return {40, 40}; }
    int AnchorY() const override { return rect.y + 12; }
};

// A port with nothing plugged in: a label that no click reaches.
class EmptyPortView : public TreeNodeView {
public:
    using TreeNodeView::TreeNodeView;
    bool HitTest(int, int) const override { return false; }
    void Draw(HDC dc) const override;
    SIZE GetSize() override { return {40, 20}; }
};

// The view of the item's kind; none for an adapter or anything unknown.
std::unique_ptr<TreeNodeView> MakeTreeNodeView(TopologyItem& item);
