#pragma once
// A tile list on a hidden window over synthetic device records, with the driver's moves and
// the host's detail requests noted instead of carried out.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/DeviceTree.h"
#include "monitor/DeviceTileList.h"
#include "tests/unit/elements/ElementHost.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace monitor_test {

struct Move {
    bool up;
    int places;
    uintptr_t record;
    bool operator==(const Move& o) const { return up == o.up && places == o.places && record == o.record; }
};

// A device as the tests describe it.
struct DeviceSpec {
    const char* key;
    uint8_t severity, statusCode, portType, port, hubNumber;
    bool connected = true;
};

class RecordingHost : public TileListHost {
public:
    void OpenDetails(DeviceNode& node) override { opened.push_back(node.Record()); }
    bool IsOptionsDialogOpen() override { return optionsOpen; }
    std::vector<uintptr_t> opened;
    bool optionsOpen = false;
};

class TileListTest : public ::testing::Test {
public:
    // What the driver was asked to do, in order.
    static std::vector<Move> moves;

protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Builds (or rebuilds, as a topology change does) the records in ring order after the
    // system record, and the list from them.
    void Build(const std::vector<DeviceSpec>& devices);
    // Sizes the list to show the given rows and places it as the monitor window does.
    void ShowRows(int rows);
    // The point (window coordinates) in the middle of the visible row.
    POINT RowCentre(int row) const;
    uintptr_t Record(int ringIndex) const { return records_[ringIndex]; }
    std::vector<uintptr_t> ShownRecords() const;

    static constexpr int kListX = 24, kListY = 18;
    elements_test::HostWindow host;
    std::unique_ptr<SyntheticTopology> topo;
    DeviceTree tree;
    DeviceTileList list{&host.root, tree};
    RecordingHost detail;

private:
    std::vector<uintptr_t> records_;
};

}  // namespace monitor_test
