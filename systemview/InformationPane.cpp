#include "systemview/InformationPane.h"

#include <algorithm>

#include "framework/ElementText.h"
#include "framework/NodePictures.h"
#include "framework/RootElement.h"
#include "framework/SharedLook.h"
#include "graphics/PixelEffects.h"
#include "graphics/ResourceStrings.h"
#include "graphics/ScaledDC.h"
#include "model/DeviceNode.h"
#include "model/DeviceTree.h"
#include "resources/ResourceIds.h"
#include "systemview/SystemViewHost.h"

namespace {

constexpr int kStatusTop = 35;

COLORREF Grey(int v) { return RGB(v, v, v); }

// Owned entries, and the list's view of them.
template <typename Entry>
std::vector<ListItem*> Fill(std::vector<std::unique_ptr<ListItem>>& owned, std::vector<Entry*>& typed,
                            const std::vector<DeviceNode*>& nodes, auto make) {
    std::vector<ListItem*> items;
    for (DeviceNode* node : nodes) {
        auto entry = make(*node);
        typed.push_back(entry.get());
        items.push_back(entry.get());
        owned.push_back(std::move(entry));
    }
    return items;
}

}  // namespace

InformationPane::InformationPane(Element* parent)
    : ContainerElement(parent),
      buttons_(this),
      information_(this),
      hubs_(this),
      disconnected_(this) {
    buttons_.ShowFor(true);
    information_.SetVisible(false);
    hubs_.SetVisible(false);
    disconnected_.SetVisible(false);
}

// The lists let go of their entries before the entries go.
InformationPane::~InformationPane() {
    information_.SetItems({});
    hubs_.SetHubs({});
    disconnected_.SetItems({});
}

void InformationPane::ReshowNode(DeviceNode* node) {
    shown_ = nullptr;
    ShowNode(node);
}

void InformationPane::ShowNode(DeviceNode* node) {
    if (node == shown_) return;
    shown_ = node;
    shownKey_ = node ? node->KeyName() : String();
    computer_ = node && node->IsSystem();
    status_.reset();
    if (node) status_ = computer_ ? std::unique_ptr<StatusItem>(std::make_unique<SystemStatusItem>(*node))
                                  : std::make_unique<DeviceStatusItem>(*node);
    buttons_.ShowFor(computer_);

    // The lists first forget the entries that are about to go.
    information_.SetItems({});
    hubs_.SetHubs({});
    disconnected_.SetItems({});
    entries_.clear();
    disconnectedEntries_.clear();
    if (computer_) {
        DeviceTree& tree = TheDeviceTree();
        std::vector<HubEntry*> hubs;
        std::vector<DisconnectedEntry*> unused;
        Fill(entries_, hubs, tree.ConnectedHubs(), [&](DeviceNode& n) { return std::make_unique<HubEntry>(n, tree_); });
        hubs_.SetHubs(hubs);
        disconnected_.SetItems(Fill(disconnectedEntries_, unused, tree.DisconnectedRecords(),
                                    [](DeviceNode& n) { return std::make_unique<DisconnectedEntry>(n); }));
    } else if (node) {
        std::vector<InformationEntry*> unused;
        information_.SetItems(
            Fill(entries_, unused, {node}, [](DeviceNode& n) { return std::make_unique<InformationEntry>(n); }));
    }
    UpdateShape();
}

int InformationPane::CompactHeight() { return status_ ? status_->HeightA(StatusWidth()) + 35 : 65; }
int InformationPane::FullHeight() {
    const int full = status_ ? status_->HeightB(StatusWidth()) + 48 : 90;
    // A short status leaves the computer's lists below its last row of buttons, headings included.
    return computer_ ? std::max(full, CommandButtons::ComputerBottom() + 24) : full;
}

void InformationPane::UpdateShape() {
    const int w = width_, h = height_, top = FullHeight();
    buttons_.Place(w);
    const int listHeight = std::max(h - top - 20, 0);
    const bool roomy = h >= top;
    hubs_.SetVisible(computer_ && roomy);
    disconnected_.SetVisible(computer_ && roomy);
    information_.SetVisible(!computer_ && shown_ && roomy);
    if (computer_) {
        hubs_.SetBounds(10, top, w / 2 - 16, listHeight);
        disconnected_.SetBounds(w / 2 + 6, top, w / 2 - 16, listHeight);
    } else {
        information_.SetBounds(10, top, w - 20, listHeight);
    }
    // Rounded at the top only: the bottom edge is straight.
    shape_ = Region::Subtract(Region::CreateRoundRect(Rect{0, 0, w, h + 20}, 27, 27), Region::CreateRect(0, h, w, 20));
}

void InformationPane::DrawSelf(HDC dc) {
    const int w = width_, h = height_;
    // Shaded edges: darker on the left, lighter on the right and along the bottom.
    const int left[] = {82, 115, 156}, right[] = {206, 222, 199};
    for (int i = 0; i < 3; ++i) {
        DrawAntialiasedLine(dc, i, 20, i, h, Grey(left[i]));
        DrawAntialiasedLine(dc, w - 2 - i, 0, w - 2 - i, h, Grey(right[i]));
        DrawAntialiasedLine(dc, 1 + i, h - 1 - i, w, h - 1 - i, Grey(right[i]));
    }
    const int top = FullHeight();
    if (shown_) {
        DrawNodePicture(dc, *shown_, 31, 0);
        DrawWrapped(dc, GetSharedFont(SharedFont::Text), RECT{70, 6, w - 5, 20}, shown_->Name());
        const POINT origin = GetPaintOrigin(dc);
        SetPaintOrigin(dc, {origin.x, origin.y - kStatusTop});
        if (status_) status_->Draw(dc, StatusWidth());
        SetPaintOrigin(dc, origin);
    }
    HFONT title = GetSharedFont(SharedFont::Title);
    DrawLabel(dc, title, 10, top - 18, LoadResourceString(computer_ ? IDS_ADAPTERS_AND_HUBS : IDS_ADVANCED_INFORMATION));
    if (computer_) DrawLabel(dc, title, w / 2 + 6, top - 18, LoadResourceString(IDS_DISCONNECTED_HEADING));
}

void InformationPane::Command(int id) {
    RootElement* root = GetRoot();
    if (host_) RunPaneCommand(*host_, id, shown_, root ? root->GetWindow() : nullptr);
}
