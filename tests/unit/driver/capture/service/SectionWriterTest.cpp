// The section the capture service publishes, as readers in other processes find it.
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include "driver/capture/service/SectionWriter.h"

namespace linsett::capture {
namespace {

// A section in plain memory, between bytes that nothing may touch.
struct Memory {
    uint8_t before[sizeof(HubCounters)]{};
    ActivitySection section{};
    uint8_t after[sizeof(HubCounters)]{};
    bool Untouched() const { return std::ranges::count(before, 0) + std::ranges::count(after, 0) == 2 * sizeof after; }
};

std::u16string Hub(int i) { return u"\\??\\USB#ROOT_HUB30#" + std::u16string(1, char16_t(u'A' + i)); }

TEST(SectionWriter, CountsEachDeviceOfEachHubModulo32BitsAndNothingOutside) {
    auto memory = std::make_unique<Memory>();
    const ActivitySection& s = memory->section;
    SectionWriter writer(memory->section);
    writer.Open();
    const int a = writer.AddHub(Hub(0)), b = writer.AddHub(Hub(1));
    HubCounter counterA(writer, a), counterB(writer, b);
    const std::tuple<HubCounter&, uint16_t, uint32_t> packets[] = {
        {counterA, 5, 100}, {counterA, 5, 0xFFFFFFF0}, {counterA, 127, 7}, {counterA, 128, 9}, {counterA, 0xFFFF, 9}, {counterB, 0, 3}};
    for (const auto& [counter, address, bytes] : packets) counter.OnPacket({.address = address, .dataLength = bytes});
    writer.Add(-1, 1, 5);
    writer.Add(kMaxHubs, 1, 5);
    EXPECT_EQ(s.hubs[a].bytes[5], 84u);
    EXPECT_EQ(s.hubs[a].bytes[127], 7u);
    EXPECT_EQ(s.hubs[b].bytes[0], 3u);
    EXPECT_EQ(std::u16string(s.hubs[b].hubPath), Hub(1)) << "a count landed in the next entry's path";
    EXPECT_TRUE(memory->Untouched());
}

// An entry is whole before hubCount counts it in, keeps its place for a hub that comes again
// (a restarted service), and there are no more than kMaxHubs; a damaged section starts anew.
TEST(SectionWriter, HubEntriesAreFilledBeforeCountedInAndNeverReused) {
    auto memory = std::make_unique<Memory>();
    ActivitySection& s = memory->section;
    s.magic = kSectionMagic, s.version = kSectionVersion, s.hubCount = kMaxHubs + 1;
    SectionWriter writer(s);
    writer.Open();
    s.hubs[1].bytes[3] = 99;  // left over where the second entry goes
    const std::u16string longest(kHubPathChars - 1, u'x');
    const std::pair<std::u16string, int> hubs[] = {{Hub(0), 0}, {longest, 1}, {longest + u"x", -1}, {u"", -1}, {Hub(0), 0}};
    for (const auto& [path, entry] : hubs) EXPECT_EQ(writer.AddHub(path), entry) << path.size() << " characters";
    EXPECT_EQ(s.hubCount, 2u);
    EXPECT_EQ(std::u16string(s.hubs[1].hubPath), longest);
    EXPECT_EQ(s.hubs[1].bytes[3], 0u) << "an entry was counted in with another's counts";
    for (int i = 2; i <= kMaxHubs; ++i) EXPECT_EQ(writer.AddHub(Hub(i)), i < kMaxHubs ? i : -1);
    EXPECT_EQ(s.hubCount, uint32_t(kMaxHubs));
    EXPECT_TRUE(memory->Untouched());
}

}  // namespace
}  // namespace linsett::capture
