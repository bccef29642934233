#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "base/String.h"
#include "graphics/Region.h"

class RootElement;

// Something drawn and clicked inside a window without a window of its own: a position
// and size in its parent's coordinates and a shape in its own. Elements form a tree
// hanging from the window's root; the parent does not own its children. The element kinds
// (PushButton, ScrollBar, ItemList...) have counterparts that are windows of their own for
// the dialogs; those, like every widget with a window, end in "Window".
class Element {
public:
    explicit Element(Element* parent);
    virtual ~Element();
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    virtual RootElement* GetRoot();
    virtual void Paint(HDC dc);
    virtual void DrawSelf(HDC dc);
    virtual void RedrawChild(Element* child);
    virtual void Redraw();
    virtual void Command(int id);
    virtual void UpdateShape();
    virtual void OnTimer(UINT id);
    virtual void OnLeftButtonDown(POINT* p, UINT keys);
    virtual void OnLeftButtonUp(POINT* p, UINT keys);
    virtual void OnMouseMove(POINT* p, UINT keys);
    virtual String GetTooltip(POINT* p);
    virtual Element* HitTest(POINT* p);
    virtual void PaintChildren(HDC dc);

    Element* GetParent() const { return parent_; }
    void SetParent(Element* parent);
    void AddChild(Element* child);
    void RemoveChild(Element* child);
    const std::vector<Element*>& Children() const { return children_; }

    void SetBounds(int x, int y, int width, int height);
    void SetSize(int width, int height);
    void SetPosition(int x, int y);
    int X() const { return x_; }
    int Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void SetShape(const Region& shape);
    Region GetShape() const;
    const Region& Shape() const { return shape_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool IsVisible() const { return visible_; }
    void SetTooltip(String text) { tooltip_ = std::move(text); }

protected:
    Element* parent_ = nullptr;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
    Region shape_;
    bool visible_ = true;
    String tooltip_;
    // Only containers hold children; the plain element's list stays empty.
    std::vector<Element*> children_;
};

// An element whose children are drawn first to last and hit-tested last to first.
class ContainerElement : public Element {
public:
    using Element::Element;
    void Paint(HDC dc) override;
    Element* HitTest(POINT* p) override;
    void PaintChildren(HDC dc) override;
};
