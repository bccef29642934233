#pragma once
#include <windows.h>

#include "base/String.h"

// The tooltip of a skinned window: the whole client area is one tool whose text follows
// the element under the pointer. Unchanged texts send nothing; an empty text hides it.
class TooltipWindow {
public:
    TooltipWindow() = default;
    ~TooltipWindow();
    TooltipWindow(const TooltipWindow&) = delete;
    TooltipWindow& operator=(const TooltipWindow&) = delete;

    void Create(HWND owner);
    void AddTool(HWND window);
    void SetText(HWND window, String text);
    HWND Handle() const { return tooltip_; }

private:
    HWND tooltip_ = nullptr;
    String text_;
};
