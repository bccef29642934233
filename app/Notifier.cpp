#include "app/Notifier.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/AppWindow.h"
#include "base/FormatText.h"
#include "base/Settings.h"
#include "dialogs/SystemOptionsDialog.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "model/Alerts.h"
#include "resources/ResourceIds.h"

namespace {

// Made as the program starts, before WinMain: the quiet start-up is counted from here.
notices::Rule g_rule(GetTickCount64());

void ScheduleNotices() {
    const std::optional<uint64_t> due = g_rule.DueAt();
    if (!due) return StopNoticeTimer();
    const uint64_t now = GetTickCount64();
    SetNoticeTimer(static_cast<UINT>(*due > now ? *due - now : 0));
}

DWORD IconFlag(uint8_t worst) {
    if (worst >= severity::kFailure) return NIIF_ERROR;
    return worst > severity::kFine ? NIIF_WARNING : NIIF_INFO;
}

String Format(UINT textId, std::initializer_list<String> args) {
    return FormatText(LoadResourceString(textId), args);
}

}  // namespace

void NoticeChanges(const std::vector<history::Entry>& entries) {
    g_rule.Take(entries, Settings::Notifications(), GetTickCount64());
    ScheduleNotices();
}

void ShowDueNotices() {
    if (auto notice = g_rule.Flush(GetTickCount64(), IsSystemOptionsOpen()))
        ShowTrayBalloon(NoticeText(*notice), IconFlag(notice->worst));
    ScheduleNotices();
}

String NoticeText(const notices::Notice& notice) {
    using Kind = notices::Notice::Kind;
    const String count = std::to_string(notice.count).c_str();
    switch (notice.kind) {
    case Kind::Connected: return Format(IDS_NOTICE_CONNECTED, {count});
    case Kind::Disconnected: return Format(IDS_NOTICE_DISCONNECTED, {count});
    case Kind::Changes: return Format(IDS_NOTICE_CHANGES, {count});
    case Kind::One: break;
    }
    const history::DeviceState& device = notice.entry.device;
    const String name = device.name.c_str();
    switch (notice.entry.event) {
    case history::Event::Plugged: return Format(IDS_NOTICE_PLUGGED, {name});
    case history::Event::Unplugged: return Format(IDS_NOTICE_UNPLUGGED, {name});
    case history::Event::Moved: return Format(IDS_NOTICE_MOVED, {name});
    case history::Event::Restarted: return LoadResourceString(IDS_NOTICE_RESTARTED);
    case history::Event::Health: {
        if (device.severity == severity::kFine) return Format(IDS_NOTICE_FINE, {name});
        // The health words of the panes, which shout in capitals, inside a sentence.
        String health = SeverityLabel(device.severity);
        CharLowerBuffA(health.Buffer(), static_cast<DWORD>(health.Length()));
        return Format(IDS_NOTICE_HEALTH, {name, health});
    }
    case history::Event::Renamed: break;  // the user's own doing: never told
    }
    return name;
}
