// The system tree on a hidden window over synthetic topologies: placement, selection, input, paint.
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <vector>
#include "framework/ElementText.h"
#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "graphics/StartupStrips.h"
#include "model/DeviceTree.h"
#include "resources/ResourceIds.h"
#include "model/Layout.h"
#include "systemview/CommandButtons.h"
#include "systemview/SystemTree.h"
#include "systemview/TreeNodeView.h"
#include "tests/unit/framework/ElementHost.h"
#include "tests/unit/graphics/TestArt.h"
#include "tests/unit/model/SyntheticTopology.h"

namespace {

// Computer, Adapter, lettered Root hub, external Hub, Device, Empty port.
struct N { char kind; std::vector<N> kids = {}; uint8_t severity = 0; const wchar_t* name = L"Disk"; };
const N kDevice{'D'}, kEmpty{'E'};
// Items in creation order: 0 C, 1 A, 2 R, 3-5 D, 6 A, 7 R, 8 H, 9 D, 10 E, 11 E, 12 A, 13 R.
const N kSample{'C', {{'A', {{'R', {{'D', {}, 4}, kDevice, kDevice}}}},
                      {'A', {{'R', {{'H', {kDevice, kEmpty}}, kEmpty}}}}, {'A', {{'R'}}}}};
constexpr uint32_t kGrey = 0xE0E0E0;

class Tree : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterElxWndClass(GetModuleHandleA(nullptr));
        LoadSharedLook(GetModuleHandleA(nullptr));
        LoadStartupStrips();
    }
    // The old topology stays readable until the tree has moved to the new one.
    void Build(const N& top, int width = 640, int height = 480) {
        auto fresh = std::make_unique<SyntheticTopology>();
        std::swap(topo, fresh);
        items.clear(), records.clear();
        Add(top, nullptr);
        topo->SetRoot(records[0], records[0], items[0]);
        model.Attach(topo->TreeWindow(), topo->RootBlock());
        model.DiscardHandles();
        model.Rebuild();
        host.root.SetSize(width, height);
        if (tree) return tree->Rebuild();
        tree = std::make_unique<SystemTree>(&host.root, model, nullptr);
        tree->SetOpenHandler([this](DeviceNode* record) { opened.push_back(record); });
        tree->SetBounds(0, 0, width, height);
    }
    void Add(const N& n, HTREEITEM parent) {
        const uint8_t kind = n.kind == 'C' ? 0x80 : n.kind == 'A' ? 0x81 : n.kind == 'D' ? 0x83 : 0x82;
        const uintptr_t node = n.kind == 'E' ? 0 : topo->NewNode(kind);
        uintptr_t record = node && n.kind != 'A' ? topo->NewRecord(kind, "key", node) : 0;
        if (record) topo->SetInlineWide(record, 0x0E, n.name), topo->SetU16(record, 0x50, 2);
        if (n.kind == 'C') topo->SetWide(node, 0x1C, L"WORKBENCH");
        if (n.kind == 'R' || n.kind == 'H')
            topo->SetU8(node, 0x20, uint8_t(n.kids.size())), topo->SetU8(node, 0x21, n.kind == 'R');
        if (n.kind == 'D') topo->SetU8(node, 0x78, n.severity);
        items.push_back(topo->Insert(parent, node, "WORKBENCH"));
        records.push_back(record);
        const HTREEITEM mine = items.back();
        for (const N& kid : n.kids) Add(kid, mine);
    }
    TopologyItem* Item(int i) { return model.ItemByHandle(items[i]); }
    TreeNodeView* View(int i) { return tree->ViewFor(Item(i)); }
    DeviceNode* Record(int i) { return model.HandleByRecord(records[i]); }
    bool Shown(int i) { return std::count(tree->Views().begin(), tree->Views().end(), View(i)) == 1; }
    POINT OnScreen(int x, int y) { return {x - tree->Offset().x, y - tree->Offset().y}; }
    void Click(int i, int dy) {  // at the view's centre column, dy below its top
        const POINT p = OnScreen(View(i)->CentreX(), View(i)->rect.y + dy);
        host.Down(p.x, p.y), host.Up(p.x, p.y);
    }
    elements_test::HostWindow host;
    std::unique_ptr<SyntheticTopology> topo;
    DeviceTree model;
    std::unique_ptr<SystemTree> tree;
    std::vector<HTREEITEM> items;
    std::vector<uintptr_t> records;
    std::vector<DeviceNode*> opened;
};

TEST_F(Tree, RowsStaggerRootPortsAndParentsCentredOverTheirChildren) {
    Build(kSample);
    const Rect& computer = tree->ComputerView()->rect;
    EXPECT_EQ(computer.width, 180);  // three lettered root ports
    const struct { int item, x, top; } placed[] = {
        {0, -1, 10}, {2, 35, 32}, {7, 75, 32}, {13, 115, 32}, {3, -1, 120}, {4, -1, 160}, {5, -1, 120},
        {8, -1, 120}, {9, -1, 212}, {10, -1, 252}, {11, -1, 160}};
    for (const auto& p : placed) {
        EXPECT_EQ(View(p.item)->Top(), p.top) << "item " << p.item;
        EXPECT_TRUE(p.x < 0 || View(p.item)->rect.x - computer.x == p.x) << "item " << p.item;
    }
    const Rect &hub = View(8)->rect, &first = View(9)->rect, &last = View(10)->rect;
    EXPECT_NEAR(2 * hub.x + hub.width, first.x + last.x + last.width, 1);
    EXPECT_EQ(View(1), nullptr) << "adapters get no view";
    // Centred in the element at the first size.
    const Rect& box = tree->BoundingBox();
    EXPECT_NEAR(2 * OnScreen(box.x, 0).x + box.width, 640, 1);
    EXPECT_NEAR(2 * OnScreen(0, box.y).y + box.height, 480, 1);
}

TEST_F(Tree, CollapseHidesTheSubtreeAndSelectingBelowExpandsAndMarksThePath) {
    Build(kSample);
    const auto marked = [&] {
        std::vector<std::pair<TreeNodeView*, TreeNodeView*>> found;
        for (const TreeConnector& c : tree->Connectors())
            if (c.marked) found.push_back({c.parent, c.child});
        for (TreeNodeView* view : tree->Views())
            if (view->onSelectedPath) found.push_back({view, nullptr});
        return found;
    };
    const POINT computer = OnScreen(tree->ComputerView()->rect.x, tree->ComputerView()->rect.y);
    POINT marker = OnScreen(View(8)->CentreX(), View(8)->rect.y + 26);
    EXPECT_EQ(tree->GetTooltip(&marker), LoadResourceString(IDS_TIP_SHOW_LESS));
    Click(8, 26);
    EXPECT_FALSE(Shown(9) || Shown(10));
    EXPECT_TRUE(Shown(8) && Item(8)->Collapsed());
    EXPECT_EQ(tree->GetTooltip(&marker), LoadResourceString(IDS_TIP_SHOW_MORE));
    EXPECT_EQ(OnScreen(tree->ComputerView()->rect.x, tree->ComputerView()->rect.y).x, computer.x);

    tree->SelectRecord(Record(9));
    EXPECT_TRUE(Shown(9) && !Item(8)->Collapsed());
    EXPECT_TRUE(View(9)->selected);
    using Pairs = std::vector<std::pair<TreeNodeView*, TreeNodeView*>>;
    EXPECT_EQ(marked(), (Pairs{{View(7), View(8)}, {View(8), View(9)}, {View(7), nullptr}, {View(8), nullptr}}));
    tree->SelectRecord(Record(4));
    EXPECT_FALSE(View(9)->selected);
    EXPECT_EQ(marked(), (Pairs{{View(2), View(4)}, {View(2), nullptr}}));
    Click(2, 26);  // collapsing clears the path
    EXPECT_EQ(marked(), Pairs{});
    EXPECT_EQ(tree->Views().size(), 8u);
}

TEST_F(Tree, ClicksOpenNodesButNeverAnEmptyPortOrAHubWithoutPorts) {
    Build(kSample);
    const struct { int item, dy; bool opens; } clicks[] = {
        {3, 10, true}, {8, 5, true}, {0, 5, true}, {10, 10, false}, {13, 5, false}, {13, 28, false}};
    for (const auto& c : clicks) {
        opened.clear();
        Click(c.item, c.dy);
        EXPECT_EQ(opened, c.opens ? std::vector<DeviceNode*>{Record(c.item)} : std::vector<DeviceNode*>{})
            << "item " << c.item;
    }
    EXPECT_EQ(tree->ViewAt(OnScreen(View(10)->CentreX(), View(10)->AnchorY())), nullptr);
    EXPECT_TRUE(Shown(13) && !Item(13)->Collapsed());
}

TEST_F(Tree, MovesOfMoreThanThreePixelsPanWithinTheMarginLessIsAClick) {
    Build(kSample, 300, 200);
    for (int move : {3, 4}) {
        opened.clear();
        const POINT before = tree->Offset(), p = OnScreen(View(4)->CentreX(), View(4)->AnchorY());
        host.Down(p.x, p.y), host.Move(p.x + move, p.y + move), host.Up(p.x + move, p.y + move);
        EXPECT_EQ(opened.size(), move == 3 ? 1u : 0u) << move;
        EXPECT_EQ(tree->Offset().x, before.x - (move == 3 ? 0 : move)) << move;
    }
    host.Down(100, 100), host.Move(-5000, -5000), host.Up(-5000, -5000);
    const Rect& box = tree->BoundingBox();
    const POINT corner = OnScreen(box.x + box.width, box.y + box.height);
    EXPECT_EQ(corner.x, 300 - 10);
    EXPECT_EQ(corner.y, 200 - 10);
    EXPECT_EQ(opened.size(), 0u);
}

TEST_F(Tree, HalosOnlyWhileNothingIsSelectedAndPortCirclesOfAHubLineUp) {
    Build(kSample);
    const POINT nearAlarm = OnScreen(View(3)->CentreX() + 15, View(3)->Top() - 5);
    e2e::Image painted = elements_test::PaintTree(host.root);
    EXPECT_NE(painted.At(nearAlarm.x, nearAlarm.y), kGrey);
    // Up a column beside each device's drop line (clear of its number) to its circle's rim.
    std::vector<int> rims;
    for (int i : {3, 4, 5}) {
        POINT p = OnScreen(View(i)->CentreX() - 5, View(i)->Top() - 1);
        while (p.y > 0 && (painted.At(p.x, p.y) & 0x808080)) --p.y;
        rims.push_back(p.y);
    }
    EXPECT_EQ(rims, std::vector<int>(3, rims[0]));
    e2e::SaveScreenshot(painted, "system_tree_halos");
    tree->SelectRecord(Record(9));
    painted = elements_test::PaintTree(host.root);
    EXPECT_EQ(painted.At(nearAlarm.x, nearAlarm.y), kGrey);
    e2e::SaveScreenshot(painted, "system_tree_selected");
}

TEST_F(Tree, CrowdsDeepNestingLongNamesAndARebuildWithoutTheSelectionStayApart) {
    N crowd{'H'}, deep{'D', {}, 2, L"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"};
    for (int i = 0; i < 127; ++i) crowd.kids.push_back(deep);
    for (int level = 0; level < 7; ++level) deep = N{'H', {deep, kEmpty}};
    Build({'C', {{'A', {{'R', {crowd, deep, {'H'}}}}}}});
    e2e::SaveScreenshot(elements_test::PaintTree(host.root), "system_tree_crowd");  // centred: the middle
    tree->SelectRecord(Record(int(records.size()) - 1));  // the hub without ports, last made
    ASSERT_NE(tree->Selected(), nullptr);
    const auto& views = tree->Views();
    for (size_t a = 1; a < views.size(); ++a)  // the computer's box holds its ports
        for (size_t b = a + 1; b < views.size(); ++b) {
            const Rect &r = views[a]->rect, &s = views[b]->rect;
            EXPECT_FALSE(r.x < s.x + s.width && s.x < r.x + r.width && r.y < s.y + s.height && s.y < r.y + r.height)
                << a << " overlaps " << b;
        }
    EXPECT_EQ(views.size(), 1 + 1 + 1 + 127 + 7 * 2 + 1 + 1u);
    elements_test::PaintTree(host.root);
    Build({'C', {{'A', {{'R'}}}, {'A', {{'R'}}}}});
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Views().size(), 3u);
    EXPECT_TRUE(tree->Connectors().empty());
    elements_test::PaintTree(host.root);
}

// Columns with dark ink in a picture's area: how much text was drawn there.
int InkColumns(const e2e::Image& shot, int left, int top, int width, int height) {
    int columns = 0;
    for (int x = std::max(0, left); x < std::min(shot.width, left + width); ++x)
        for (int y = std::max(0, top); y < std::min(shot.height, top + height); ++y)
            if ((shot.At(x, y) & 0xFF) < 0x80) {
                ++columns;
                break;
            }
    return columns;
}

// Wrapped text drawn on white, as the panes draw a device's texts.
e2e::Image Wrapped(const char* text) {
    TestCanvas canvas(200, 20, 0xFFFFFF);
    DrawWrapped(canvas.Dc(), GetSharedFont(SharedFont::Text), RECT{0, 0, 200, 20}, text);
    return {200, 20, canvas.Colours()};
}

// A device's "&" is a letter, not an underline's mark: "&&" shows two, in the tree and the panes'
// wrapped texts. A name too long for two lines keeps to the view's width, breaking between words.
TEST_F(Tree, DeviceNamesAreDrawnAsTheyAreInTheirBoxes) {
    Build({'C', {{'A', {{'R', {N{'D', {}, 0, L"&"}, N{'D', {}, 0, L"&&"}, kEmpty,
                               N{'D', {}, 0, L"Intel(R) Wireless Bluetooth(R)"}}}}}}});
    const e2e::Image shot = elements_test::PaintTree(host.root);
    auto nameInk = [&](int item, int lines) {
        const POINT at = OnScreen(View(item)->rect.x, View(item)->Top() + 24);
        return InkColumns(shot, at.x - 10, at.y, 60, 13 * lines);
    };
    EXPECT_GT(nameInk(4, 1), nameInk(3, 1) + 2) << "the tree dropped an ampersand";
    EXPECT_GT(nameInk(6, 4), 40 - 6) << "a long name kept to a narrower box";
    EXPECT_LE(nameInk(6, 4), 40);
    EXPECT_GT(InkColumns(Wrapped("&&"), 0, 0, 200, 20), InkColumns(Wrapped("&"), 0, 0, 200, 20) + 2)
        << "wrapped text dropped an ampersand";
}

// The command buttons' help topic: the computer by its severity, a device by its type code's group.
TEST_F(Tree, HelpTopicsFollowTheComputersSeverityAndTheTypeCodesGroup) {
    Build(kSample);
    const auto node = [&](int i) { return uintptr_t(*reinterpret_cast<uint32_t*>(records[i] + 4)); };
    topo->SetU8(node(0), layout::computer::kSeverity, 3);
    EXPECT_EQ(HelpTopic(Record(0)), 0x10300u);
    EXPECT_EQ(HelpTopic(nullptr), 0x10000u);
    const struct { int code; uint32_t topic; } cases[] = {
        {4, 0x20204}, {5, 0x20205}, {6, 0x20406}, {7, 0x20307}, {13, 0x2030D}, {17, 0x20311},
        {10, 0x2010A}, {18, 0x20112}, {11, 0}, {3, 0}};
    for (const auto& c : cases) {
        topo->SetU8(node(3), layout::device::kTypeCode, uint8_t(c.code));
        EXPECT_EQ(HelpTopic(Record(3)), c.topic) << "type code " << c.code;
    }
}

}  // namespace
