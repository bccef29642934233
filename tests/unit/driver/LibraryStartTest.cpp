// Starting and stopping the real library: what it returns, when callbacks may arrive, and
// how topology changes replace the structures.
#include <fstream>
#include <set>

#include "driver/ctl/ControlClient.h"
#include "tests/unit/driver/LibraryHarness.h"

namespace linsett_test {
namespace {

bool ControlWindowExists() {
    linsett::ControlResult found;
    return linsett::FindControlWindow(GetCurrentProcessId(), found) != nullptr;
}

using LibraryStart = LibraryTest;

TEST_F(LibraryStart, NoAdaptersMeansNoHardwareQuietly) {
    EXPECT_EQ(Start("no-hardware.json"), 0u);
    EXPECT_FALSE(ControlWindowExists());
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(Events().empty());
}

TEST_F(LibraryStart, MalformedScenarioIsNamedInOneBoxAndGivesNull) {
    std::string path = appData_ + "\\broken.json";
    std::ofstream(path) << "{\n  \"computer\": {\"name\": \"PC\"},\n  \"adapters\": [ {\"key\": 5} ]\n}\n";
    BoxWatcher watcher;
    EXPECT_EQ(Start(path), 0u);
    std::string box = watcher.Text();
    EXPECT_EQ(box.rfind("Linsett|", 0), 0u) << box;
    EXPECT_NE(box.find("broken.json, line 3"), std::string::npos) << box;
    EXPECT_NE(box.find("\"key\" must be a string"), std::string::npos) << box;
    EXPECT_FALSE(ControlWindowExists());
}

TEST_F(LibraryStart, CallbacksArriveOnlyFromTheMessageLoopChangingFirst) {
    ASSERT_NE(Start("test-timeline.json"), 0u);  // its two events are due at once
    EXPECT_TRUE(Events().empty()) << "a callback ran inside InitializeDLL";
    ASSERT_TRUE(PumpUntil([] { return CountEvents(kOnTopologyChanged) >= 2; }));
    ASSERT_EQ(Events().size(), 4u);
    for (size_t i = 0; i < Events().size(); ++i) {
        const CallbackEvent& event = Events()[i];
        EXPECT_EQ(event.slot, i % 2 ? kOnTopologyChanged : kOnTopologyChanging) << i;
        EXPECT_EQ(event.thread, GetCurrentThreadId());
        EXPECT_FALSE(event.duringExport);
    }
    root_ = Events().back().argument;
    EXPECT_EQ(Events()[1].changeCode, 1) << "a plug keeps the selection with code 1";
    EXPECT_EQ(Events()[3].changeCode, 0) << "a severity change keeps it with code 0";
    EXPECT_NE(Read<uint32_t>(RecordByKey("phone"), 0x004), 0u);
    EXPECT_EQ(Read<uint8_t>(Read<uint32_t>(RecordByKey("keys"), 0x004), 0x78), 3);
    ExpectPublishedInvariants();
}

TEST_F(LibraryStart, NothingRunsAfterDeinitialize) {
    ASSERT_NE(Start("test-timeline.json"), 0u);
    Stop();
    EXPECT_FALSE(ControlWindowExists());
    EXPECT_EQ(RootItem(), nullptr) << "items left pointing at freed nodes";
    PumpUntil([] { return false; }, 500);
    EXPECT_TRUE(Events().empty());
}

TEST_F(LibraryStart, FailNextRestartFailsExactlyOneRestart) {
    ASSERT_NE(Start("test-small.json"), 0u);
    EXPECT_EQ(Control("fail-next-restart"), "ok");
    EXPECT_EQ(Restart(), 0u);
    EXPECT_FALSE(ControlWindowExists());
    EXPECT_NE(Restart(), 0u);
    ExpectPublishedInvariants();
    EXPECT_TRUE(Events().empty());
}

TEST_F(LibraryStart, EachChangeRebuildsAtNewAddressesAndFreesTheOldOnes) {
    uint32_t first = Start("test-small.json");
    ASSERT_NE(first, 0u);
    uint32_t firstEntry = Read<uint32_t>(first, 0x00);
    uint32_t second = ChangeTopology("change 5");
    EXPECT_EQ(Read<uint8_t>(second, 0x0E), 5);
    EXPECT_NE(second, first);
    EXPECT_NE(Read<uint32_t>(second, 0x00), firstEntry);
    ExpectPublishedInvariants();
    // Many changes: the old generations are given back, so the addresses keep recurring.
    std::set<uint32_t> roots;
    for (int i = 0; i < 300; ++i) roots.insert(ChangeTopology("change 2"));
    EXPECT_LE(roots.size(), 4u) << "generations are not freed";
    EXPECT_EQ(CountEvents(kOnTopologyChanging), CountEvents(kOnTopologyChanged));
    ExpectPublishedInvariants();
}

}  // namespace
}  // namespace linsett_test
