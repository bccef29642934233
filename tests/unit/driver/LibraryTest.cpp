// Starting and stopping the real library, what it publishes, and moves in the monitoring ring.
#include <fstream>
#include <set>

#include "tests/unit/driver/LibraryHarness.h"

namespace linsett_test {
namespace {

using Library = LibraryTest;
using Keys = std::vector<std::string>;

TEST_F(Library, PublishesEveryFieldWhereTheProgramReadsIt) {
    ASSERT_NE(Start(""), 0u);  // the built-in demo
    ExpectPublishedInvariants();
    ASSERT_NE(Start("test-small.json"), 0u);
    ExpectPublishedInvariants();
    // key ("" the root block), r(ecord) or n(ode), offset, b(yte) w(ord) i(nline wide) p(ointer wide) a(nsi)
    struct Field { const char* key; char where; uint16_t offset; char type; const char* value; };
    const Field fields[] = {
        {"", 'r', 0x0C, 'w', "50"}, {"Computer", 'n', 0x1C, 'p', "Test Bench"}, {"Computer", 'n', 0x20, 'b', "2"},
        {"Computer", 'n', 0x24, 'p', "Disk: Slow"}, {"Computer", 'n', 0x2C, 'p', "Nothing to do"},
        {"Computer", 'n', 0x30, 'b', "1"}, {"Computer", 'n', 0x34, 'p', "One adapter"},
        {"disk", 'r', 0x00E, 'i', "Disk"}, {"disk", 'r', 0x050, 'w', "10"}, {"disk", 'r', 0x052, 'w', "32787"},
        {"disk", 'r', 0x054, 'i', "Bench"}, {"disk", 'r', 0x0D6, 'w', "12"}, {"disk", 'r', 0x0D8, 'i', "Disk"},
        {"disk", 'r', 0x16C, 'p', "Bench Hub"}, {"disk", 'r', 0x175, 'b', "2"}, {"disk", 'r', 0x176, 'i', "Disk"},
        {"disk", 'r', 0x1BA, 'w', "32784"}, {"disk", 'r', 0x1BC, 'i', "Bench"}, {"disk", 'r', 0x240, 'i', "Disk"},
        {"disk", 'n', 0x18, 'p', "D-1"}, {"disk", 'n', 0x3C, 'a', "D1-77"}, {"disk", 'n', 0x52, 'b', "8"},
        {"disk", 'n', 0x78, 'b', "2"}, {"disk", 'n', 0x7C, 'p', "Slow"}, {"disk", 'n', 0x84, 'p', "Bench"},
        {"disk", 'n', 0x8C, 'p', "Disk"}, {"keys", 'n', 0x3C, 'a', "<null>"}, {"keys", 'n', 0x60, 'a', "Bench"},
        {"keys", 'n', 0x68, 'a', "1-1-2008"}, {"keys", 'n', 0x70, 'a', "1.0"}, {"keys", 'r', 0x052, 'w', "0"},
        {"hub", 'n', 0x1C, 'p', "BH-3"}, {"hub", 'n', 0x21, 'b', "0"}, {"hub", 'n', 0x26, 'b', "3"},
        {"hub", 'n', 0x60, 'a', "BH3-1"}, {"hub", 'n', 0x70, 'b', "1"}, {"hub", 'n', 0x74, 'p', "Three ports"},
        {"hub", 'n', 0x78, 'p', "100 mA"}, {"hub", 'r', 0x052, 'w', "32800"}, {"root-a", 'n', 0x21, 'b', "1"},
        {"root-a", 'r', 0x052, 'w', "32784"}, {"root-a", 'r', 0x172, 'w', "1"}, {"root-a", 'r', 0x174, 'b', "1"},
        {"root-a", 'r', 0x16C, 'p', "Test Host Controller"}, {"phone", 'r', 0x16C, 'p', "Bench Hub"},
        {"phone", 'r', 0x172, 'w', "2"}};  // phone: where it was last seen
    for (const Field& f : fields) {
        uint32_t base = !*f.key ? root_ : f.where == 'r' ? Record(f.key) : Node(f.key);
        std::string value = f.type == 'b'   ? std::to_string(Read<uint8_t>(base, f.offset))
                            : f.type == 'w' ? std::to_string(Read<uint16_t>(base, f.offset))
                            : f.type == 'i' ? WideText(base + f.offset)
                            : f.type == 'p' ? WideText(Read<uint32_t>(base, f.offset))
                                            : AnsiText(Read<uint32_t>(base, f.offset));
        EXPECT_EQ(value, f.value) << f.key << " " << f.where << " 0x" << std::hex << f.offset;
    }
}

TEST_F(Library, FailsQuietlyWithoutHardwareLoudlyOnABrokenScenarioAndOnceWhenAsked) {
    EXPECT_EQ(Start("no-hardware.json"), 0u);
    std::ofstream(appData_ + "\\broken.json") << "{\"computer\": {\"name\": \"PC\"},\n\n\"adapters\": [{\"key\": 5}]}";
    std::string box = StartAndAnswerBox(appData_ + "\\broken.json");
    EXPECT_EQ(root_, 0u);
    EXPECT_EQ(box.rfind("Linsett|", 0), 0u) << box;
    EXPECT_NE(box.find("broken.json, line 3: an adapter: \"key\" must be a string"), std::string::npos) << box;
    EXPECT_EQ(Control("dump"), "no control window");
    ASSERT_NE(Start("test-small.json"), 0u);
    EXPECT_EQ(Control("fail-next-restart"), "ok");
    EXPECT_EQ(Restart(), 0u);
    EXPECT_EQ(Control("dump"), "no control window");
    EXPECT_NE(Restart(), 0u);
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(g_events.empty());
}

TEST_F(Library, CallbacksComeFromTheMessageLoopWithNewStructuresAndNeverAfterDeinitialize) {
    ASSERT_NE(Start("test-timeline.json"), 0u);  // its two events are due at once
    Stop();
    EXPECT_TRUE(Children(TVI_ROOT).empty()) << "items left pointing at freed nodes";
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(g_events.empty());
    ASSERT_NE(Start("test-timeline.json"), 0u);
    ASSERT_TRUE(PumpUntil([] { return g_events.size() >= 4; }));
    ASSERT_EQ(g_events.size(), 4u);
    for (size_t i = 0; i < g_events.size(); ++i) {
        EXPECT_EQ(g_events[i].slot, i % 2 ? kOnTopologyChanged : kOnTopologyChanging) << i;
        EXPECT_FALSE(g_events[i].duringExport) << i;
    }
    root_ = g_events.back().argument;
    EXPECT_EQ(g_events[1].changeCode, 1) << "a plug keeps the selection with code 1";
    EXPECT_EQ(g_events[3].changeCode, 0) << "a severity change keeps it with code 0";
    EXPECT_EQ(Read<uint8_t>(Node("keys"), 0x78), 3);
    // Each change rewrites the structures at new addresses; the old ones are given back.
    uint32_t entry = Read<uint32_t>(root_, 0x00);
    EXPECT_EQ(Read<uint8_t>(ChangeTopology("change 5"), 0x0E), 5);
    EXPECT_NE(Read<uint32_t>(root_, 0x00), entry);
    std::set<uint32_t> roots;
    for (int i = 0; i < 300; ++i) roots.insert(ChangeTopology("change 2"));
    EXPECT_LE(roots.size(), 4u) << "old generations are not given back";
    ExpectPublishedInvariants();
}

TEST_F(Library, MovesCountShownPlacesClampAndLastThroughChangesAndRestarts) {
    ASSERT_NE(Start("test-small.json"), 0u);
    auto at = [&](const char* key) { return reinterpret_cast<void*>(static_cast<uintptr_t>(Record(key))); };
    auto up = Export<MoveNodeUpFn>("MoveNodeUp"), down = Export<MoveNodeDownFn>("MoveNodeDown");
    down(at("cam"), 1);  // already last: nothing moves, not even past the hidden phone
    ChangeTopology("plug phone");
    EXPECT_EQ(MonitorKeys(), (Keys{"Computer", "keys", "disk", "cam", "phone"}));
    ChangeTopology("unplug phone");
    std::vector<uint32_t> listRing = Ring(0x2C8);
    size_t changes = g_events.size();
    const std::tuple<MoveNodeUpFn, const char*, int, Keys> steps[] = {
        {up, "cam", 1, {"Computer", "keys", "cam", "disk"}},
        {up, "disk", 10, {"disk", "Computer", "keys", "cam"}},  // past the front: the front
        {down, "Computer", 99, {"disk", "keys", "cam", "Computer"}},
        {up, "hub", 1, {"disk", "keys", "cam", "Computer"}},    // hubs are not shown
        {up, "phone", 1, {"disk", "keys", "cam", "Computer"}},  // nor disconnected devices
        {down, "keys", 1, {"disk", "cam", "keys", "Computer"}}};
    for (const auto& [move, key, places, expected] : steps) {
        move(at(key), places);
        EXPECT_EQ(MonitorKeys(), expected) << key << " by " << places;
    }
    int local = 0;
    up(&local, 1);  // not a record: ignored
    down(static_cast<char*>(at("cam")) + 4, 1);
    EXPECT_EQ(Ring(0x2C8), listRing) << "the list order changed";
    EXPECT_EQ(g_events.size(), changes) << "a move caused a topology change";
    ExpectPublishedInvariants();
    ChangeTopology("change 2");
    EXPECT_EQ(MonitorKeys(), (Keys{"disk", "cam", "keys", "Computer"}));
    ASSERT_NE(Restart(), 0u);
    EXPECT_EQ(MonitorKeys(), (Keys{"disk", "cam", "keys", "Computer"})) << "the order was not saved";
}

}  // namespace
}  // namespace linsett_test
