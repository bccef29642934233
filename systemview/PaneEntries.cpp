#include "systemview/PaneEntries.h"

#include <algorithm>

#include "framework/ElementText.h"
#include "framework/NodePictures.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "graphics/StartupStrips.h"
#include "graphics/TextHelpers.h"
#include "model/DeviceNode.h"
#include "model/TopologyItem.h"
#include "resources/ResourceIds.h"
#include "systemview/HubTree.h"

namespace {

HFONT Heading() { return GetSharedFont(SharedFont::Text); }
HFONT Small() { return GetSharedFont(SharedFont::Small); }
String Text(UINT id) { return LoadResourceString(id); }

// Hub and disconnected entries: the node's picture, then its texts in a column.
constexpr int kPictureX = 15, kTextX = 45;
// The information entry's columns: hardware and power on the left, the driver on the right.
constexpr int kLeftColumn = 10, kRightColumn = 300;

}  // namespace

bool HubEntry::Collapsed() const {
    const TopologyItem* item = node_.Item();
    return item && tree_ && tree_->IsHubCollapsed(*item);
}

void HubEntry::Toggle() {
    if (TopologyItem* item = node_.Item(); item && tree_) tree_->ToggleHub(*item);
}

String HubEntry::Tooltip(POINT p) const {
    if (!InToggle(p)) return String();
    return Text(Collapsed() ? IDS_TIP_SHOW_MORE : IDS_TIP_SHOW_LESS);
}

void HubEntry::Draw(HDC dc, int x, int y, int) {
    DrawHubPicture(dc, node_, x + kPictureX, y + 8);
    DrawLabel(dc, Heading(), x + kTextX, y + 5, node_.Name());
    DrawLabel(dc, Small(), x + kTextX, y + 17, Text(IDS_MANUFACTURER_LABEL) + " " + node_.Manufacturer());
    const String ports = Text(IDS_PORTS_LABEL) + " " + String::FromInt(node_.PortCount()) + " " +
                         Text(node_.IsUsb2() ? IDS_USB20 : IDS_USB11);
    DrawLabel(dc, Small(), x + kTextX, y + 28, ports);
    DrawExpandMarker(dc, Collapsed(), x + kPictureX, y + 32);
}

void DisconnectedEntry::Draw(HDC dc, int x, int y, int) {
    DrawNodePicture(dc, node_, x + kPictureX, y + 8);
    DrawLabel(dc, Heading(), x + kTextX, y + 5, node_.Name());
    if (node_.IsDirectHub()) {
        DrawLabel(dc, Small(), x + kTextX, y + 21,
                  Text(IDS_FROM) + " " + Text(IDS_MY_COMPUTER) + " " + node_.UpstreamName());
        return;
    }
    DrawLabel(dc, Small(), x + kTextX, y + 21, Text(IDS_FROM));
    DrawNodeBadge(dc, node_, false, x + 73, y + 19);
    DrawLabel(dc, Small(), x + 115, y + 21, node_.UpstreamName());
}

void InformationEntry::Draw(HDC dc, int x, int y, int) {
    DrawLabel(dc, Heading(), x + kLeftColumn, y + 9, Text(IDS_HARDWARE_INFORMATION));
    // The model number wraps up to a fixed right edge; the serial number follows its last line.
    const String modelLabel = Text(IDS_MODEL_NUMBER_LABEL) + " ";
    DrawLabel(dc, Small(), x + kLeftColumn, y + 24, modelLabel);
    SIZE label{};
    {
        const WindowDC screen(nullptr);
        label = TextExtent(screen.Get(), Small(), modelLabel);
    }
    const RECT modelBox{x + kLeftColumn + label.cx, y + 24, 270, 500};
    const int modelHeight = DrawWrapped(dc, Small(), modelBox, node_.ModelNumber());
    int line = y + 24 + std::max(modelHeight, static_cast<int>(label.cy));
    DrawLabel(dc, Small(), x + kLeftColumn, line, Text(IDS_SERIAL_NUMBER_LABEL) + " " + node_.SerialNumber());
    line += label.cy + 15;

    if (!node_.IsDirectHub()) {
        DrawLabel(dc, Heading(), x + kLeftColumn, line, Text(IDS_POWER_INFORMATION));
        DrawLabel(dc, Small(), x + kLeftColumn, line + 15,
                  Text(node_.IsSelfPowered() ? IDS_SELF_POWERED : IDS_BUS_POWERED));
        DrawLabel(dc, Small(), x + kLeftColumn, line + 27,
                  Text(IDS_POWER_REQUIRED_LABEL) + " " + node_.PowerRequired());
    }
    if (node_.IsHub()) return;
    DrawLabel(dc, Heading(), x + kRightColumn, y + 9, Text(IDS_DRIVER_INFORMATION));
    const struct {
        UINT label;
        String value;
    } driver[] = {{IDS_DRIVER_PROVIDER_LABEL, node_.DriverProvider()},
                  {IDS_DRIVER_DATE_LABEL, node_.DriverDate()},
                  {IDS_DRIVER_VERSION_LABEL, node_.DriverVersion()}};
    for (int i = 0; i < 3; ++i)
        DrawLabel(dc, Small(), x + kRightColumn, y + 24 + 12 * i, Text(driver[i].label) + " " + driver[i].value);
}
