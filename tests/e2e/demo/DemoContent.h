#pragma once
#include <memory>
#include <vector>

#include "framework/CheckBox.h"
#include "framework/Element.h"
#include "framework/ItemList.h"
#include "framework/PushButton.h"
#include "framework/RepeatPushButton.h"
#include "framework/ScrollBar.h"
#include "framework/Splitter.h"
#include "framework/TextPushButton.h"

// The panel inside the demo frame: one of each element kind, laid out in a grid. Clicks
// are shown in the window title ("Frame demo: <command>"), so tests can see them land.
class DemoContent : public ContainerElement {
public:
    explicit DemoContent(Element* parent);
    void DrawSelf(HDC dc) override;
    void UpdateShape() override;
    void Command(int id) override;

private:
    class TextItem;
    TextPushButton wide_;
    TextPushButton dialog_;
    RepeatPushButton repeat_;
    CheckBox check_;
    ScrollBar scroll_;
    Splitter splitter_;
    ItemList list_;
    ContainerElement lower_;
    std::vector<std::unique_ptr<ListItem>> items_;
};
