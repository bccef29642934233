#include "framework/TooltipWindow.h"

#include <commctrl.h>

#include <utility>

#include "graphics/ResourceStrings.h"

namespace {
TTTOOLINFOA ToolFor(HWND window, const char* text) {
    TTTOOLINFOA tool{};
    // The first version of the record: every system's tooltips understand it.
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.hinst = ResourceInstance();
    tool.lpszText = const_cast<char*>(text);
    return tool;
}
}  // namespace

TooltipWindow::~TooltipWindow() {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

void TooltipWindow::Create(HWND owner) {
    // No prefix: the tips name devices, and a name's "&" is a letter.
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ResourceInstance(), nullptr);
}

void TooltipWindow::AddTool(HWND window) {
    TTTOOLINFOA tool = ToolFor(window, "Null");
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TooltipWindow::SetText(HWND window, String text) {
    if (text == text_) return;
    if (!text.Empty()) {
        TTTOOLINFOA tool = ToolFor(window, text.Chars());
        SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        if (text_.Empty()) SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
    } else {
        SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
        SendMessageA(tooltip_, TTM_POP, 0, 0);
    }
    text_ = std::move(text);
}
