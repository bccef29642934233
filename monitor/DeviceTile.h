#pragma once
#include <windows.h>

#include "base/String.h"
#include "framework/Element.h"

class DeviceNode;
class DeviceTileList;

// One monitored node in the tile list: its severity marker, icon, port badge and
// transmission light on a skinned row. A click opens the node's details; dragging it onto
// another row reorders the list live.
class DeviceTile : public Element {
public:
    DeviceTile(DeviceTileList* list, int index, DeviceNode* node);

    // Kind 0 only, 1 first, 2 middle, 3 last; sets the shape. Other values keep the shape.
    void SetPositionKind(int kind);
    int PositionKind() const { return kind_; }
    int KindHeight() const;
    void SetIndex(int index) { index_ = index; }
    DeviceNode& Node() const { return *node_; }
    bool IsPressedInside() const { return pressed_ && inside_; }
    bool IsPressed() const { return pressed_; }

    // The light alone, for the activity timer, with the tile's top-left corner at `at` in
    // the DC; nothing unless the list shows lights, and with `onlyIfChanged` nothing when
    // the frame on screen is already the right one.
    void DrawLight(HDC dc, POINT at, bool onlyIfChanged);
    // Whether the light on screen is not the one the status asks for.
    bool LightChanged() const;
    // Alert flashing: shows or hides the marker, touching only its square on the window.
    void SetMarkerVisible(bool show);

    void DrawSelf(HDC dc) override;
    void UpdateShape() override;
    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnLeftButtonUp(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;
    String GetTooltip(POINT* p) override;
    Element* HitTest(POINT* p) override;

private:
    POINT WindowOffset();
    DeviceTileList* list_;
    int index_;
    DeviceNode* node_;
    int kind_ = 2;
    int shapeKind_ = -1;  // the kind whose outline shape_ holds
    bool pressed_ = false, inside_ = false, dragged_ = false;
    String reorderHint_;
    bool markerVisible_ = true;
    int drawnLight_ = -1;  // the light frame last put on screen; -1 after a paint of the tile
};
