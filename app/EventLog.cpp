#include "app/EventLog.h"

#include <windows.h>

#include <array>
#include <string>

#include "base/String.h"
#include "resources/EventMessages.h"

namespace {

DWORD EventId(history::Event event) {
    switch (event) {
    case history::Event::Plugged: return EVENT_PLUGGED;
    case history::Event::Unplugged: return EVENT_UNPLUGGED;
    case history::Event::Moved: return EVENT_MOVED;
    case history::Event::Health: return EVENT_HEALTH;
    case history::Event::Renamed: return EVENT_RENAMED;
    case history::Event::Restarted: return EVENT_RESTARTED;
    }
    return EVENT_RESTARTED;
}

// Texts of the entries are in the system code page; the log keeps UTF-16.
std::wstring Wide(const std::string& text) {
    const String ansi(text.c_str());
    std::wstring wide(ansi.WideSize(), L'\0');
    ansi.ToWide(wide.data(), wide.size());
    wide.resize(wide.size() - 1);
    return wide;
}

// The insertion strings every message shares: name, key, hub, port, then the two "before"
// values the event's text uses.
std::array<std::wstring, 6> Insertions(const history::Entry& entry) {
    const history::DeviceState& device = entry.device;
    std::array<std::wstring, 6> texts = {Wide(device.name), Wide(device.key), Wide(device.hub), Wide(device.port)};
    switch (entry.event) {
    case history::Event::Moved:
        texts[4] = Wide(entry.oldHub);
        texts[5] = Wide(entry.oldPort);
        break;
    case history::Event::Health:
        texts[4] = std::to_wstring(entry.oldSeverity);
        texts[5] = std::to_wstring(device.severity);
        break;
    case history::Event::Renamed: texts[4] = Wide(entry.oldName); break;
    default: break;
    }
    return texts;
}

// Amber and red are worth a log reader's eye.
WORD EventType(const history::Entry& entry) {
    constexpr uint8_t kSerious = 3;
    return entry.event == history::Event::Health && entry.device.severity >= kSerious ? EVENTLOG_WARNING_TYPE
                                                                                       : EVENTLOG_INFORMATION_TYPE;
}

}  // namespace

void ReportToEventLog(const std::vector<history::Entry>& entries) {
    HANDLE source = RegisterEventSourceW(nullptr, L"Quorvane");
    if (!source) return;
    for (const history::Entry& entry : entries) {
        const std::array<std::wstring, 6> texts = Insertions(entry);
        std::array<LPCWSTR, 6> pointers;
        for (size_t i = 0; i < texts.size(); ++i) pointers[i] = texts[i].c_str();
        ReportEventW(source, EventType(entry), 0, EventId(entry.event), nullptr, WORD(pointers.size()), 0,
                     pointers.data(), nullptr);
    }
    DeregisterEventSource(source);
}
