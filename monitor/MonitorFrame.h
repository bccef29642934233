#pragma once
#include "framework/FrameChrome.h"

// The element behind the whole monitoring window: its skin (the top image, the middle
// stretched from it, the bottom image; the open look while the pointer is over the window),
// the move area with the resize grip, and the maximize/restore and close buttons.
class MonitorFrame : public FrameChrome {
public:
    explicit MonitorFrame(Element* parent) : FrameChrome(parent) {}

    void DrawSelf(HDC dc) override;
    // Only the buttons are placed: the shape comes from the window's shaping step.
    void UpdateShape() override;
    String GetTooltip(POINT* p) override;
    bool IsOpen() const { return IsActive(); }
};

// The five skin images of the monitoring window, loaded with its placement and released
// when the placement is saved.
void LoadMonitorImages();
void FreeMonitorImages();
