// What a notice says: the device's name and what happened, in the program's words.
#include <gtest/gtest.h>
#include <string>
#include "app/Notifier.h"
#include "framework/SharedLook.h"
#include "model/Alerts.h"

namespace {

using Kind = notices::Notice::Kind;

notices::Notice One(history::Event event, const char* name, uint8_t severity = severity::kFine) {
    notices::Notice notice;
    notice.entry.event = event;
    notice.entry.device.name = name;
    notice.entry.device.severity = severity;
    return notice;
}

notices::Notice Many(Kind kind, size_t count) {
    notices::Notice notice;
    notice.kind = kind;
    notice.count = count;
    return notice;
}

TEST(NoticeText, NamesTheDeviceAndWhatHappenedOrCountsTheBurst) {
    LoadSharedLook(GetModuleHandleA(nullptr));
    const std::pair<notices::Notice, const char*> cases[] = {
        {One(history::Event::Unplugged, "Disk"), "Disk unplugged"},
        {One(history::Event::Plugged, "Cam"), "Cam plugged in"},
        {One(history::Event::Moved, "Keys"), "Keys moved"},
        {One(history::Event::Health, "Phone", severity::kFailure), "Phone: serious failure"},
        {One(history::Event::Health, "Phone", severity::kCaution), "Phone: device unrecognized"},
        {One(history::Event::Health, "Phone"), "Phone is O.K. again"},
        {Many(Kind::Connected, 10), "10 devices connected"},
        {Many(Kind::Disconnected, 3), "3 devices disconnected"},
        {Many(Kind::Changes, 12), "12 changes"},
    };
    for (const auto& [notice, expected] : cases) EXPECT_STREQ(NoticeText(notice).Chars(), expected);
    ReleaseSharedLook();
}

}  // namespace
