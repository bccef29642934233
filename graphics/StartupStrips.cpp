#include "graphics/StartupStrips.h"

#include "resources/ResourceIds.h"

namespace {

struct Strips {
    SkinStrip hubPlates;
    SkinStrip deviceIcons;
    SkinStrip severityMarkers;
    SkinStrip expandMarkers;
    BitmapStrip portBadges;
    SkinStrip iconFolders;
};

Strips& Shared() {
    static Strips strips;
    return strips;
}

constexpr int kPressedBadgeOffset = 4;

}  // namespace

void LoadStartupStrips() {
    Strips& s = Shared();
    s.hubPlates.Load(24, IDB_HUB_PLATES);
    s.deviceIcons.Load(24, IDB_DEVICE_ICONS);
    s.severityMarkers.Load(18, IDB_SEVERITY_MARKERS);
    s.expandMarkers.Load(24, IDB_EXPAND_MARKERS);
    s.portBadges.Load(39, IDB_PORT_BADGES);
    s.iconFolders.Load(16, IDB_ICON_FOLDERS);
}

const SkinStrip& HubPlateStrip() { return Shared().hubPlates; }
const SkinStrip& DeviceIconStrip() { return Shared().deviceIcons; }
const SkinStrip& SeverityMarkerStrip() { return Shared().severityMarkers; }
const SkinStrip& ExpandMarkerStrip() { return Shared().expandMarkers; }
const BitmapStrip& PortBadgeStrip() { return Shared().portBadges; }
const SkinStrip& IconFolderStrip() { return Shared().iconFolders; }

void DrawHubPlate(HDC dc, int frame, int x, int y) { HubPlateStrip().DrawFrame(frame, dc, x, y); }

void DrawSeverityMarker(HDC dc, int severity, int x, int y) {
    SeverityMarkerStrip().DrawFrame(severity, dc, x, y);
}

void DrawExpandMarker(HDC dc, bool collapsed, int x, int y) {
    ExpandMarkerStrip().DrawFrame(collapsed ? 0 : 1, dc, x, y);
}

void DrawPortBadge(HDC dc, int type, bool alternate, int x, int y) {
    PortBadgeStrip().DrawFrame(alternate ? type + kPressedBadgeOffset : type, dc, x, y);
}

void DrawIconFolder(HDC dc, int frame, int x, int y) { IconFolderStrip().DrawFrame(frame, dc, x, y); }
