#include "systemview/CommandButtons.h"

#include "framework/SharedLook.h"
#include "graphics/ResourceStrings.h"
#include "model/DeviceNode.h"
#include "model/TopologyItem.h"
#include "resources/ResourceIds.h"
#include "systemview/DetailFrame.h"
#include "systemview/SystemViewHost.h"

namespace {

constexpr uint32_t kGeneralTopic = 0x10000;

uint32_t TypeCodeTopic(int code) {
    switch (code) {
    case 4:
    case 5: return 0x20200 + code;
    case 6: return 0x20400 + code;
    case 7:
    case 8:
    case 9:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
    case 17: return 0x20300 + code;
    case 10:
    case 18: return 0x20100 + code;
    default: return 0;
    }
}

}  // namespace

uint32_t HelpTopic(const DeviceNode* node) {
    if (!node) return kGeneralTopic;
    if (node->IsSystem()) return kGeneralTopic + 256 * node->Severity();
    if (!node->IsHub() && !node->IsDevice()) return kGeneralTopic;
    const TopologyItem* item = node->Item();
    return item ? TypeCodeTopic(item->TypeCode()) : 0;
}

CommandButtons::CommandButtons(Element* pane)
    : buttons_{{pane, kHelp, &WideButtonStrip(), 0, String()},
               {pane, kOptions, &WideButtonStrip(), 0, String()},
               {pane, kAbout, &WideButtonStrip(), 0, String()},
               {pane, kUpdate, &WideButtonStrip(), 0, String()},
               {pane, kCopyReport, &WideButtonStrip(), 0, String()},
               {pane, kHistory, &WideButtonStrip(), 0, String()}} {}

void CommandButtons::ShowFor(bool computer) {
    buttons_[0].SetCaption(LoadResourceString(IDS_GET_HELP));
    buttons_[1].SetCaption(LoadResourceString(computer ? IDS_SYSTEM_SET_OPTIONS : IDS_DEVICE_SET_OPTIONS));
    buttons_[2].SetCaption(LoadResourceString(IDS_ABOUT));
    buttons_[3].SetCaption(LoadResourceString(IDS_GET_UPDATE));
    buttons_[2].SetVisible(computer);
    buttons_[3].SetVisible(computer);
    buttons_[4].SetCaption(LoadResourceString(IDS_COPY_REPORT));
    buttons_[4].SetVisible(computer);
    buttons_[5].SetCaption(LoadResourceString(IDS_SHOW_HISTORY));
    buttons_[5].SetVisible(computer);
}

void CommandButtons::Place(int width) {
    buttons_[0].SetPosition(width - 250, 10);
    buttons_[1].SetPosition(width - 125, 10);
    buttons_[2].SetPosition(width - 250, 40);
    buttons_[3].SetPosition(width - 125, 40);
    buttons_[4].SetPosition(width - 125, 70);
    buttons_[5].SetPosition(width - 250, 70);
}

int CommandButtons::ComputerBottom() { return 70 + WideButtonStrip().GetHeight(); }

void RunPaneCommand(SystemViewHost& host, int id, DeviceNode* shown, HWND owner) {
    const bool computer = shown && shown->IsSystem();
    if (id == CommandButtons::kHelp) return host.ShowHelp(HelpTopic(shown));
    if (!shown) return;
    if (computer) {
        switch (id) {
        case CommandButtons::kOptions:
            if (host.RunSystemOptions(owner)) host.RepaintTiles();
            return;
        case CommandButtons::kAbout: return host.ShowAbout();
        case CommandButtons::kUpdate: return host.OpenUpdatePage();
        case CommandButtons::kCopyReport: return host.CopyReport(owner);
        case CommandButtons::kHistory: return host.ShowHistory();
        default: return;
        }
    }
    if (id == CommandButtons::kOptions && host.RunDeviceOptions(owner, *shown)) {
        // The system view shows the edited name, texts and icon.
        host.RepaintTiles();
        OpenDetailFrame(shown);
    }
}
