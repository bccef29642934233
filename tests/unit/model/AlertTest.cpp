// The alert rule and the check that acts on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Settings.h"
#include "model/Alerts.h"
#include "model/DeviceTree.h"
#include "tests/e2e/driver/Registry.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

namespace reg = e2e::registry;

// Ring A: system(0), scanner(2), gone(4, disconnected), drive(4), hub(1), mouse(1)
class AlertRing : public ::testing::Test {
protected:
    SyntheticTopology topo;
    DeviceTree tree;
    std::vector<uintptr_t> records;

    uintptr_t Device(uint8_t kind, const char* key, int severity, bool connected) {
        uintptr_t record = topo.NewRecord(kind, key);
        if (connected) {
            uintptr_t node = topo.NewNode(kind);
            topo.Connect(record, node);
            topo.SetU8(node, kind == 0x83 ? 0x78 : kind == 0x82 ? 0x30 : 0x20, static_cast<uint8_t>(severity));
        }
        return record;
    }

    void SetUp() override {
        std::vector<uintptr_t> ring = {Device(0x80, "Computer", 0, true), Device(0x83, "scanner", 2, true),
                                       Device(0x83, "gone", 4, false),    Device(0x83, "drive", 4, true),
                                       Device(0x82, "hub", 1, true),      Device(0x83, "mouse", 1, true)};
        records = ring;
        topo.LinkRingA(ring);
        // List order reversed: the check must follow the monitoring link.
        topo.LinkRingB({ring[0], ring[5], ring[4], ring[3], ring[2], ring[1]});
        topo.SetRoot(ring[0], ring[0], nullptr);
        tree.Attach(topo.TreeWindow(), topo.RootBlock());
    }

    static std::vector<std::string> Keys(const std::vector<DeviceNode*>& records) {
        std::vector<std::string> keys;
        for (DeviceNode* r : records) keys.push_back(r->KeyName().Chars());
        return keys;
    }
};

TEST_F(AlertRing, SensitivityPicksTheThreshold) {
    struct Case {
        int32_t sensitivity;
        std::vector<std::string> listed;
    } cases[] = {
        {0, {}},
        {-3, {}},
        {1, {"drive"}},
        {2, {"scanner", "drive", "hub", "mouse"}},
        {7, {"scanner", "drive", "hub", "mouse"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Keys(FindAlerts(tree, c.sensitivity)), c.listed) << c.sensitivity;
}

TEST_F(AlertRing, SeverityThreeIsNotSerious) {
    uintptr_t node = *reinterpret_cast<uint32_t*>(records[1] + 0x004);  // the scanner's node
    topo.SetU8(node, 0x78, 3);
    EXPECT_EQ(Keys(FindAlerts(tree, 1)), (std::vector<std::string>{"drive"}));
    topo.SetU8(node, 0x78, 4);
    EXPECT_EQ(Keys(FindAlerts(tree, 1)), (std::vector<std::string>{"scanner", "drive"}));
}

// The check itself, on the process-wide model and the real settings key.
class AlertCheck : public AlertRing {
protected:
    std::vector<std::string> calls;
    std::string opened;

    void SetUp() override {
        AlertRing::SetUp();
        ASSERT_TRUE(reg::CreateKey(HKEY_LOCAL_MACHINE, Settings::kKeyPath));
        TheDeviceTree().Attach(topo.TreeWindow(), topo.RootBlock());
        SetAlertHooks({[this](bool on) { calls.push_back(on ? "alert on" : "alert off"); },
                       [this] { calls.push_back("show monitor"); },
                       [this](DeviceNode* node) {
                           calls.push_back("open detail");
                           opened = node->KeyName().Chars();
                       }});
    }
    void TearDown() override {
        SetAlertHooks({});
        TheDeviceTree().Clear();
    }
};

TEST_F(AlertCheck, SensitivityZeroOpensNothing) {
    RunAlertCheck(0);
    EXPECT_EQ(calls, (std::vector<std::string>{"alert off"}));
    EXPECT_TRUE(AlertList().empty());
    EXPECT_EQ(WorstAlertSeverity(), 0);
}

TEST_F(AlertCheck, AlertingDevicesBringTheViewsForwardOnTheFirst) {
    RunAlertCheck(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"alert off", "show monitor", "open detail", "alert on"}));
    EXPECT_EQ(opened, "scanner");
    EXPECT_EQ(Keys(AlertList()), (std::vector<std::string>{"scanner", "drive", "hub", "mouse"}));
    EXPECT_EQ(WorstAlertSeverity(), 4);

    // A later check with a stricter setting replaces the list.
    calls.clear();
    RunAlertCheck(1);
    EXPECT_EQ(Keys(AlertList()), (std::vector<std::string>{"drive"}));
    EXPECT_EQ(opened, "drive");

    calls.clear();
    RunAlertCheck(0);
    EXPECT_TRUE(AlertList().empty());
    EXPECT_EQ(calls, (std::vector<std::string>{"alert off"}));
}

}  // namespace
