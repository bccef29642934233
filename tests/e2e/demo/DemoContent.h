#pragma once
#include <memory>
#include <vector>

#include "framework/Element.h"

// The panel inside the demo frame: one of each element kind, laid out in a grid.
class DemoContent : public ContainerElement {
public:
    explicit DemoContent(Element* parent);
    void DrawSelf(HDC dc) override;
    void UpdateShape() override;
    void Command(int id) override;

private:
    std::vector<std::unique_ptr<Element>> kinds_;
};
