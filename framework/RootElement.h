#pragma once
#include <windows.h>

#include <vector>

#include "framework/Element.h"
#include "graphics/Surface.h"

// The element at the top of a window's tree: it knows the window, routes the window's
// mouse input to the element under the pointer (or the one holding the capture), runs
// element timers and paints the tree through the window's one off-screen surface.
class RootElement : public ContainerElement {
public:
    static constexpr UINT kFirstTimerId = 12345;

    explicit RootElement(HWND window);
    ~RootElement() override;

    RootElement* GetRoot() override { return this; }
    void RedrawChild(Element* child) override;
    void Redraw() override;
    void Command(int id) override;
    void OnTimer(UINT id) override;

    // The tree painted off screen and put on `target`, as far as its clip reaches.
    void PaintTo(HDC target);

    HWND GetWindow() const { return window_; }
    // A DC on the window with the window's scale.
    HDC GetDC() const;
    void ReleaseDC(HDC dc) const { ::ReleaseDC(window_, dc); }

    void SetCapture(Element* element);
    void ReleaseCapture();
    Element* Captured() const { return captured_; }

    // Ids are never reused: the table only grows.
    UINT SetTimer(Element* element, UINT milliseconds);
    void KillTimer(Element* element, UINT id);

    // Each returns whether an element of the tree took the message.
    bool RouteMouseMove(UINT keys, LPARAM lParam);
    bool RouteLeftButtonDown(UINT keys, LPARAM lParam);
    bool RouteLeftButtonUp(UINT keys, LPARAM lParam);
    String GetTooltipAt(int x, int y);

    // p moved from window coordinates into the element's own.
    POINT ToLocal(Element* element, POINT p) const;
    // Forgets an element that is going away, so no capture or timer points at it.
    void Forget(Element* element);

private:
    Element* RouteTarget(LPARAM lParam, POINT* local);
    bool Route(void (Element::*handler)(POINT*, UINT), UINT keys, LPARAM lParam);
    HWND window_;
    Surface surface_;
    Element* captured_ = nullptr;
    std::vector<Element*> timers_;
};
