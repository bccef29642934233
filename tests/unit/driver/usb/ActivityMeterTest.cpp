// The meter over sections built in memory, as the capture service would publish them.
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include "driver/usb/ActivityMeter.h"

namespace {

using namespace linsett::usb;
using namespace linsett::capture;
using Counts = ActivityMeter::Counts;

const std::u16string kHub = u"\\??\\USB#ROOT_HUB30#4&1c2a7f1&0&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}";
const ActivityMeter::Target kMouse = {"\\\\.\\usb#root_hub30#4&1C2A7F1&0&0#{F18A0E88-C30C-11D0-8815-00A0C906BED8}", 5};

// A section of two hubs.
struct Service {
    std::unique_ptr<ActivitySection> section = std::make_unique<ActivitySection>();
    ActivitySection& s = *section;
    ActivityMeter meter;
    std::vector<int> levels;
    Counts last = Counts::Absent;
    Service() {
        s = {kSectionMagic, kSectionVersion, 2, 0, {}};
        Path(s.hubs[0], kHub);
        Path(s.hubs[1], u"\\??\\USB#ROOT_HUB30#4&2222222&0&0");
    }
    static void Path(HubCounters& hub, const std::u16string& path) { std::copy(path.begin(), path.end(), hub.hubPath); }
    // The highest code of one look at atMs, the beat having moved since the last unless it stood still.
    int Look(uint64_t atMs, const std::vector<ActivityMeter::Target>& targets = {kMouse}, bool beating = true) {
        s.beat += beating;
        last = meter.Look(&s, atMs, targets, levels);
        return *std::max_element(levels.begin(), levels.end());
    }
};

TEST(ActivityMeter, BytesPerSecondSinceTheLastLookGiveTheCodeOnALogarithmicScale) {
    struct Row { const char* what; uint32_t start, bytes, ms; int level; };
    const Row rows[] = {
        {"idle", 5000, 0, 100, 0},
        {"a keyboard typing: ten keys a second, two 8-byte reports each", 0, 16, 100, 1},
        {"a mouse moving: 125 reports of 8 bytes a second", 0, 100, 100, 1},
        {"sound, 48 kHz in two 16-bit channels", 0, 19200, 100, 2},
        {"a full-speed device flat out, 1 MB/s", 0, 100000, 100, 3},
        {"a disk copying at high speed, 40 MB/s", 0, 4000000, 100, 4},
        {"300 KB over a late tick, 60 KB/s", 0, 30000, 500, 2},
        {"1 MB/s across the counter's wrap", 0xFFFF0000, 100000, 100, 3},
    };
    for (const Row& row : rows) {
        Service service;
        service.s.hubs[0].bytes[5] = row.start;
        EXPECT_EQ(service.Look(1000), 0) << row.what << ": no baseline at the first look";
        service.s.hubs[0].bytes[5] += row.bytes;
        service.s.hubs[1].bytes[5] += 4000000;  // another root hub's device at that address
        EXPECT_EQ(service.Look(1000 + row.ms), row.level) << row.what;
    }
}

TEST(ActivityMeter, OnlyFreshCountsOfTheSameDeviceInASoundSectionLight) {
    Service service;
    auto busy = [&](uint64_t atMs, ActivityMeter::Target target = kMouse, bool beating = true) {
        for (uint32_t& bytes : service.s.hubs[0].bytes) bytes += 1000000;
        return service.Look(atMs, {target}, beating);
    };
    service.Look(0);
    EXPECT_EQ(busy(100, {"\\\\?\\USB#ROOT_HUB30#4&1C2A7F1&0&0#{F18A0E88-C30C-11D0-8815-00A0C906BED8}", 5}), 4);
    EXPECT_EQ(busy(200, {kMouse.hub, 6}), 0) << "replugged at a new address: no baseline";
    EXPECT_EQ(busy(300, {kMouse.hub, 6}), 4);
    busy(400);
    EXPECT_EQ(busy(5000), 0) << "a baseline from before the lights were off";
    for (uint64_t at = 5100; at <= 6300; at += 200) busy(at, kMouse, false);
    EXPECT_EQ(busy(6400, kMouse, false), 0) << "the beat stood still for over a second";
    EXPECT_EQ(service.last, Counts::Stale);
    EXPECT_EQ(busy(6500), 0) << "beating again, but no baseline";
    EXPECT_EQ(busy(6600), 4);
    service.s.version = kSectionVersion + 1;  // a section of another layout is no count
    EXPECT_EQ(busy(6700), 0);
    EXPECT_EQ(service.last, Counts::NotReady);
    // Nothing is read past the sixteen hubs a section holds, nor a path without its end.
    service.s = {kSectionMagic, kSectionVersion, 0xFFFFFFFF, 0, {}};
    for (HubCounters& hub : service.s.hubs) Service::Path(hub, std::u16string(kHubPathChars, u'X'));
    for (uint64_t at : {7000, 7100}) {
        for (HubCounters& hub : service.s.hubs) hub.bytes[5] += 1000000;
        EXPECT_EQ(service.Look(at, {kMouse, {std::string(kHubPathChars, 'X'), 5}}), 0);
    }
}

}  // namespace
