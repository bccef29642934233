#include "systemview/StatusItems.h"

#include <algorithm>

#include "base/HandleOwners.h"
#include "framework/ElementText.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "graphics/StartupStrips.h"
#include "model/DeviceNode.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kTextLeft = 31, kTall = 1000;

HFONT TextFont() { return GetSharedFont(SharedFont::Text); }

// Heights are measured on the screen's DC, released before the answer is given.
template <typename Measure>
int OnScreen(Measure measure) {
    const WindowDC screen(nullptr);
    return measure(screen.Get());
}

int Wrapped(HDC dc, int top, int width, const String& text, bool draw) {
    const RECT box{kTextLeft, top, width, top + kTall};
    return draw ? DrawWrapped(dc, TextFont(), box, text) : MeasureWrapped(dc, TextFont(), box, text);
}

}  // namespace

int SystemStatusItem::HeightA(int width) {
    return std::max(2 + OnScreen([&](HDC dc) { return Wrapped(dc, 2, width, node_.StatusText(), false); }) + 8, 30);
}

int SystemStatusItem::HeightB(int width) {
    return OnScreen([&](HDC dc) {
        return Wrapped(dc, 2, width, node_.StatusText(), false) + 14 + Wrapped(dc, 2, width, node_.SeverityText(), false) +
               12 + Wrapped(dc, 2, width, node_.AdviceText(), false) + 17;
    });
}

void SystemStatusItem::Draw(HDC dc, int width) {
    DrawSeverityMarker(dc, node_.SecondLevel(), 9, 0);
    int y = 2 + Wrapped(dc, 2, width, node_.StatusText(), true) + 12;
    DrawSeverityMarker(dc, node_.Severity(), 9, y);
    y += Wrapped(dc, y, width, node_.SeverityText(), true) + 12;
    Wrapped(dc, y, width, node_.AdviceText(), true);
}

int DeviceStatusItem::HeightA(int width) {
    return std::max(2 + OnScreen([&](HDC dc) { return Wrapped(dc, 2, width, node_.SeverityText(), false); }) + 12, 30);
}

int DeviceStatusItem::RightColumn(HDC dc, int width, bool draw) {
    const String texts[] = {LoadResourceString(IDS_MANUFACTURER_LABEL) + " " + node_.Manufacturer(),
                            node_.Description(), node_.HardwareManufacturer(), node_.HardwareDescription()};
    int y = 0;
    for (const String& text : texts) {
        const RECT box{width + 40, y, width + 250, kTall};
        y += draw ? DrawWrapped(dc, TextFont(), box, text) : MeasureWrapped(dc, TextFont(), box, text);
    }
    return y;
}

int DeviceStatusItem::HeightB(int width) {
    return OnScreen([&](HDC dc) {
        return std::max(2 + Wrapped(dc, 2, width, node_.SeverityText(), false), RightColumn(dc, width, false)) + 13;
    });
}

void DeviceStatusItem::Draw(HDC dc, int width) {
    DrawSeverityMarker(dc, node_.Severity(), 9, 0);
    Wrapped(dc, 2, width, node_.SeverityText(), true);
    RightColumn(dc, width, true);
}
