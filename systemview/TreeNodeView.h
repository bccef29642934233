#pragma once
#include <windows.h>

#include <vector>

#include "base/Rect.h"
#include "base/String.h"

class SystemTree;
class TopologyItem;

// One node of the system tree's diagram: a rectangle in diagram coordinates over one item
// of the topology. Views are plain objects the tree owns, not elements; they live only as
// long as the model generation of their item (the tree replaces them all at a rebuild).
class TreeNodeView {
public:
    explicit TreeNodeView(TopologyItem& item) : item_(item) {}
    virtual ~TreeNodeView() = default;
    TreeNodeView(const TreeNodeView&) = delete;
    TreeNodeView& operator=(const TreeNodeView&) = delete;

    // Points are in diagram coordinates; far edges count as inside.
    virtual bool HitTest(int x, int y) const;
    virtual void Click(SystemTree& tree, int x, int y);
    virtual String GetTooltip(int x, int y) const;
    virtual void Draw(HDC dc) const = 0;
    virtual SIZE GetSize() = 0;
    virtual bool IsCollapsed() const { return false; }
    virtual int Top() const { return rect.y; }
    virtual int Bottom() const { return rect.y + rect.height; }
    virtual int AnchorY() const { return rect.y + rect.height / 2; }
    // The background colour around the view, which its glow recolours.
    virtual COLORREF FrameColour() const { return RGB(224, 224, 224); }

    TopologyItem& Item() const { return item_; }
    int CentreX() const { return rect.x + rect.width / 2; }
    const std::vector<TreeNodeView*>& Children() const { return children_; }
    void AddChild(TreeNodeView* child) { children_.push_back(child); }

    Rect rect;
    // The item's place among its siblings as the last layout found it; its port is one more.
    int indexInParent = 0;
    bool selected = false;
    bool onSelectedPath = false;
    bool specialLink = false;
    bool hasSpecialChild = false;

protected:
    TopologyItem& item_;
    std::vector<TreeNodeView*> children_;
};
