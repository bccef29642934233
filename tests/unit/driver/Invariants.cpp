// The rules of the published tree and ring that the program relies on, checked by raw
// offsets exactly as the program reads them.
#include <map>
#include <set>

#include "driver/AnsiText.h"
#include "driver/Text.h"
#include "tests/unit/driver/LibraryHarness.h"

namespace linsett_test {

void LibraryTest::ExpectPublishedInvariants() {
    ASSERT_NE(root_, 0u);
    HTREEITEM rootItem = RootItem();
    ASSERT_NE(rootItem, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(rootItem)), Read<uint32_t>(root_, 0x08));
    EXPECT_EQ(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(rootItem)), 0)
        << "one root item only";
    uint32_t computer = Param(rootItem);
    ASSERT_EQ(Read<uint8_t>(computer, 0x00), 0x80);
    std::u16string displayName = linsett::Widen(ReadWideAsUtf8(Read<uint32_t>(computer, 0x1C)));
    EXPECT_EQ(Text(rootItem), linsett::ToAnsi(displayName));

    // Rings: both links visit every record once and come back to the entry record.
    std::vector<uint32_t> listRing = Ring(0x2C8), monitorRing = Ring(0x2CC);
    uint32_t entry = Read<uint32_t>(root_, 0x00);
    EXPECT_EQ(Read<uint32_t>(listRing.back(), 0x2C8), entry);
    EXPECT_EQ(Read<uint32_t>(monitorRing.back(), 0x2CC), entry);
    EXPECT_EQ(std::set<uint32_t>(listRing.begin(), listRing.end()),
              std::set<uint32_t>(monitorRing.begin(), monitorRing.end()));
    EXPECT_EQ(std::set<uint32_t>(listRing.begin(), listRing.end()).size(), listRing.size());
    uint32_t start = Read<uint32_t>(root_, 0x04);
    EXPECT_TRUE(std::count(listRing.begin(), listRing.end(), start)) << "monitoring start outside the ring";
    int systemRecords = 0;
    std::set<std::string> keys;
    for (uint32_t record : listRing) {
        systemRecords += Read<uint8_t>(record, 0x000) == 0x80;
        std::string key = ReadAnsi(Read<uint32_t>(record, 0x008));
        EXPECT_TRUE(keys.insert(key).second) << "duplicate key " << key;
        EXPECT_NE(key, "System");
    }
    EXPECT_EQ(systemRecords, 1);
    EXPECT_EQ(Read<uint32_t>(computer, 0x0C), entry) << "the computer's record is the system record";

    // Tree: adapters below the computer, then every port of every hub in port order.
    std::map<uint32_t, int> itemsPerNode;
    itemsPerNode[computer] = 1;
    std::function<void(HTREEITEM, bool)> visitHub = [&](HTREEITEM hubItem, bool rootHub) {
        uint32_t hub = Param(hubItem);
        ASSERT_EQ(Read<uint8_t>(hub, 0x00), 0x82);
        uint32_t hubRecord = Read<uint32_t>(hub, 0x0C);
        uint16_t flags = Read<uint16_t>(hubRecord, 0x052);
        EXPECT_EQ((flags & 0x10) != 0, rootHub) << "flag bit 4 marks exactly the hubs in the computer";
        int frame = (flags >> 4) & 0x3FF;
        EXPECT_TRUE(rootHub ? (frame == 1 || frame == 3) : (frame == 0 || frame == 2)) << frame;
        std::vector<HTREEITEM> ports = Children(hubItem);
        EXPECT_EQ(ports.size(), Read<uint8_t>(hub, 0x20)) << "every port is an item";
        for (size_t i = 0; i < ports.size(); ++i) {
            uint32_t node = Param(ports[i]);
            if (!node) {
                EXPECT_EQ(Text(ports[i]), "Available");
                continue;
            }
            ++itemsPerNode[node];
            uint32_t record = Read<uint32_t>(node, 0x0C);
            EXPECT_EQ(Read<uint32_t>(record, 0x004), node);
            EXPECT_EQ(Read<uint16_t>(record, 0x172), i + 1) << "record port badge";
            EXPECT_EQ(Read<uint8_t>(record, 0x175), Read<uint16_t>(hub, 0x14)) << "upstream hub number";
            EXPECT_EQ(ReadWideAsUtf8(Read<uint32_t>(record, 0x16C)), linsett::AnsiToUtf8(Text(hubItem)))
                << "upstream name";
            uint8_t kind = Read<uint8_t>(node, 0x00);
            if (kind == 0x83) {
                EXPECT_EQ(Read<uint8_t>(node, 0x51), i + 1) << "device node port";
                EXPECT_TRUE(Children(ports[i]).empty());
            } else {
                ASSERT_EQ(kind, 0x82);
                visitHub(ports[i], false);
            }
        }
    };
    for (HTREEITEM adapterItem : Children(rootItem)) {
        uint32_t adapter = Param(adapterItem);
        ASSERT_EQ(Read<uint8_t>(adapter, 0x00), 0x81);
        EXPECT_EQ(Read<uint32_t>(adapter, 0x0C), 0u) << "adapters have no records";
        for (HTREEITEM hubItem : Children(adapterItem)) {
            ++itemsPerNode[Param(hubItem)];
            visitHub(hubItem, true);
        }
    }
    for (uint32_t record : listRing) {
        uint32_t node = Read<uint32_t>(record, 0x004);
        if (node) {
            EXPECT_EQ(itemsPerNode[node], 1) << ReadAnsi(Read<uint32_t>(record, 0x008));
        }
    }
    for (const auto& [node, count] : itemsPerNode) {
        EXPECT_EQ(count, 1);
        EXPECT_NE(std::count(listRing.begin(), listRing.end(), Read<uint32_t>(node, 0x0C)), 0)
            << "an item's record is not in the ring";
    }
}

}  // namespace linsett_test
