// MoveNodeUp and MoveNodeDown relink ring link A in place, among the shown records only.
#include "tests/unit/driver/LibraryHarness.h"

namespace linsett_test {
namespace {

class RingMove : public LibraryTest {
protected:
    void* RecordOf(const char* key) {
        return reinterpret_cast<void*>(static_cast<uintptr_t>(RecordByKey(key)));
    }
    using Keys = std::vector<std::string>;
};

TEST_F(RingMove, MovesCountShownPlacesClampAndKeepEverythingElse) {
    ASSERT_NE(Start("test-small.json"), 0u);
    ASSERT_EQ(MonitorKeys(), (Keys{"Computer", "keys", "disk", "cam"}));
    std::vector<uint32_t> listRing = Ring(0x2C8);
    uint32_t cam = RecordByKey("cam");

    struct Step {
        bool up;
        const char* key;
        int places;
        Keys expected;
    };
    const Step steps[] = {
        {true, "cam", 1, {"Computer", "keys", "cam", "disk"}},
        {true, "disk", 10, {"disk", "Computer", "keys", "cam"}},  // past the front: the front
        {false, "Computer", 99, {"disk", "keys", "cam", "Computer"}},
        {false, "Computer", 1, {"disk", "keys", "cam", "Computer"}},  // already last
        {true, "hub", 1, {"disk", "keys", "cam", "Computer"}},        // hubs are not shown
        {true, "phone", 1, {"disk", "keys", "cam", "Computer"}},      // nor disconnected devices
        {true, "keys", 0, {"disk", "keys", "cam", "Computer"}},
        {false, "keys", 1, {"disk", "cam", "keys", "Computer"}},
    };
    for (const Step& step : steps) {
        (step.up ? moveUp_ : moveDown_)(RecordOf(step.key), step.places);
        EXPECT_EQ(MonitorKeys(), step.expected) << step.key << (step.up ? " up " : " down ") << step.places;
    }
    EXPECT_EQ(Read<uint32_t>(root_, 0x04), RecordByKey("disk")) << "the front record starts the monitoring walk";
    EXPECT_EQ(Ring(0x2C8), listRing) << "link B changed";
    EXPECT_EQ(RecordByKey("cam"), cam) << "a record moved";
    EXPECT_TRUE(Events().empty()) << "a move caused a topology change";
    ExpectPublishedInvariants();
}

TEST_F(RingMove, UnknownRecordsAreIgnored) {
    ASSERT_NE(Start("test-small.json"), 0u);
    Keys before = MonitorKeys();
    int local = 0;
    moveUp_(&local, 1);
    moveDown_(nullptr, 1);
    moveUp_(reinterpret_cast<void*>(static_cast<uintptr_t>(RecordByKey("cam") + 4)), 1);
    EXPECT_EQ(MonitorKeys(), before);
}

TEST_F(RingMove, OrderSurvivesAChangeAndARestart) {
    ASSERT_NE(Start("test-small.json"), 0u);
    moveUp_(RecordOf("cam"), 3);
    Keys moved{"cam", "Computer", "keys", "disk"};
    ASSERT_EQ(MonitorKeys(), moved);
    ChangeTopology("change 2");
    EXPECT_EQ(MonitorKeys(), moved);
    ASSERT_NE(Restart(), 0u);
    EXPECT_EQ(MonitorKeys(), moved) << "the order was not persisted";
}

}  // namespace
}  // namespace linsett_test
