#include "systemview/HistoryRows.h"

#include <cstdio>

#include "base/FormatText.h"
#include "base/HandleOwners.h"
#include "framework/NodePictures.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "graphics/SkinEffects.h"
#include "graphics/TextHelpers.h"
#include "model/DeviceNode.h"
#include "model/DeviceTree.h"
#include "resources/ResourceIds.h"

namespace {

using history::Event;

constexpr int kPictureX = 5, kTextX = 37, kTimeRight = 8;

String Severity(uint8_t severity) {
    return severity <= 4 ? LoadResourceString(IDS_HISTORY_SEVERITY_0 + severity) : String::FromInt(severity);
}

// One line cut with an ellipsis where it meets `right`.
void DrawLine(HDC dc, HFONT font, int x, int y, int right, const String& text, UINT align = DT_LEFT) {
    const SelectGuard selected(dc, font);
    RECT box{x, y, right, y + 16};
    DrawTextA(dc, text.Chars(), static_cast<int>(text.Length()), &box,
              align | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

String HistoryEventText(const history::Entry& entry) {
    switch (entry.event) {
    case Event::Plugged: return LoadResourceString(IDS_HISTORY_PLUGGED);
    case Event::Unplugged: return LoadResourceString(IDS_HISTORY_UNPLUGGED);
    case Event::Moved:
        return FormatText(LoadResourceString(IDS_HISTORY_MOVED), {entry.oldHub.c_str(), entry.oldPort.c_str()});
    case Event::Health:
        return FormatText(LoadResourceString(IDS_HISTORY_HEALTH),
                          {Severity(entry.device.severity), Severity(entry.oldSeverity)});
    case Event::Renamed: return FormatText(LoadResourceString(IDS_HISTORY_RENAMED), {entry.oldName.c_str()});
    case Event::Restarted: return LoadResourceString(IDS_HISTORY_RESTARTED);
    }
    return String();
}

String HistoryTimeText(uint64_t localTime) {
    const FILETIME time{static_cast<DWORD>(localTime), static_cast<DWORD>(localTime >> 32)};
    SYSTEMTIME t{};
    if (!FileTimeToSystemTime(&time, &t)) return String();
    char text[32] = "";
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

DeviceNode* HistoryRecord(DeviceTree& tree, const history::Entry& entry) {
    if (entry.event == Event::Restarted) return tree.SystemRecord();
    if (!tree.EntryRecord()) return nullptr;
    DeviceNode* found = nullptr;
    const String key = entry.device.key.c_str();
    tree.WalkRing(DeviceTree::Link::A, [&](DeviceNode& node) {
        if (!found && node.KeyName() == key) found = &node;
    });
    return found;
}

DeviceNode* PresentRecord(DeviceTree& tree, const history::Entry& entry) {
    DeviceNode* node = HistoryRecord(tree, entry);
    return node && (node->IsConnected() || node->IsSystem()) ? node : nullptr;
}

void HistoryRow::Measure(SIZE* out, int width) { *out = {width, kHeight}; }

void HistoryRow::Draw(HDC dc, int x, int y, int width) {
    DeviceNode* node = HistoryRecord(TheDeviceTree(), entry_);
    // A device the library no longer knows keeps the icon it had.
    if (node) {
        DrawNodePicture(dc, *node, x + kPictureX, y + 5);
    } else {
        DrawTintedIcon(dc, entry_.device.icon, entry_.device.iconGroup, x + kPictureX, y + 5);
    }
    const String name = !entry_.device.name.empty() || !node ? String(entry_.device.name.c_str()) : node->Name();
    const String time = HistoryTimeText(entry_.time.local);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    HFONT small = GetSharedFont(SharedFont::Small);
    DrawLine(dc, small, x + kTextX, y + 5, width - kTimeRight, time, DT_RIGHT);
    const int nameRight = width - kTimeRight - TextExtent(dc, small, time).cx - 10;
    DrawLine(dc, GetSharedFont(SharedFont::Text), x + kTextX, y + 4, nameRight, name);
    DrawLine(dc, small, x + kTextX, y + 18, width - kTimeRight, HistoryEventText(entry_));
}
