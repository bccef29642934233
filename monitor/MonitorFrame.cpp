#include "monitor/MonitorFrame.h"

#include <array>

#include "base/HandleOwners.h"
#include "graphics/ImageHelpers.h"
#include "graphics/MemoryDC.h"
#include "graphics/ResourceStrings.h"
#include "graphics/SkinImage.h"
#include "monitor/MonitorGeometry.h"
#include "resources/ResourceIds.h"

namespace {

enum Image { kNormalTop, kNormalBottom, kOpenTop, kOpenBottom, kStrip, kImageCount };
constexpr std::array<UINT, kImageCount> kImageIds = {IDB_MONITOR_CLOSED_TOP, IDB_MONITOR_CLOSED_BOTTOM,
                                                      IDB_MONITOR_OPEN_TOP, IDB_MONITOR_OPEN_BOTTOM, IDB_MONITOR_ROW};

std::array<Bitmap, kImageCount>& Images() {
    static std::array<Bitmap, kImageCount> images;
    return images;
}

constexpr int kBottomHeight = 38;

}  // namespace

void LoadMonitorImages() {
    for (size_t i = 0; i < kImageIds.size(); ++i) Images()[i] = LoadSkinImage(kImageIds[i], true);
}

void FreeMonitorImages() {
    for (Bitmap& image : Images()) image.Reset();
}

void MonitorFrame::DrawSelf(HDC dc) {
    const bool open = IsOpen();
    HBITMAP top = Images()[open ? kOpenTop : kNormalTop].Get();
    HBITMAP bottom = Images()[open ? kOpenBottom : kNormalBottom].Get();
    const int h = height_, w = monitor_geometry::kWidth;
    BlendImage(dc, top, 0, 0);
    if (top) {
        // The middle is the top image's rows stretched: four rows closed, four-row bands
        // repeated down the window while open.
        if (!open) {
            StretchImagePart(dc, top, {0, 39, w, h - 38}, {0, 38, w, 4});
        } else {
            for (int y = 38; y <= h - 42; y += 4) StretchImagePart(dc, top, {0, y, w, h - 38}, {0, 37, w, 4});
        }
    }
    BlendImage(dc, bottom, 0, h - kBottomHeight);
}

void MonitorFrame::UpdateShape() {
    PlaceCaptionButtons();
}

String MonitorFrame::GetTooltip(POINT* p) {
    if (InResizeGrip(*p)) return LoadResourceString(IDS_TIP_RESIZE);
    return tooltip_;
}
