#pragma once
#include <memory>

#include "framework/FrameChrome.h"
#include "framework/FrameWindow.h"
#include "framework/TooltipWindow.h"
#include "systemview/HistoryList.h"

class HistoryHost;

// The frame's inside: the heading above the list, on the panes' grey.
class HistoryPane : public ContainerElement {
public:
    using ContainerElement::ContainerElement;
    void DrawSelf(HDC dc) override;
    // Not in the frame's grip, which lies under the pane's corner: that stays the chrome's.
    Element* HitTest(POINT* p) override;
};

// The history window: what happened to the devices, newest first, in a skinned frame that
// the user moves by its caption and resizes by its grip, and closes by its close button or
// Escape. At most one exists, which a HistoryView owns; the module operations reach it.
class HistoryFrame : public FrameWindow {
public:
    explicit HistoryFrame(HistoryHost& host);
    ~HistoryFrame() override;

    // The log's entries anew.
    void Reload();

    void Layout() override;
    void OnCommand(WPARAM wParam) override;
    void OnDestroy() override;
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void StorePlacement();

    HistoryHost& host_;
    TooltipWindow tooltip_;
    FrameChrome chrome_;
    HistoryPane pane_;
    HistoryList list_;
};

// The owner of the history window, for the life of the message loop.
class HistoryView {
public:
    explicit HistoryView(HistoryHost& host);
    ~HistoryView();
    HistoryView(const HistoryView&) = delete;
    HistoryView& operator=(const HistoryView&) = delete;

    // Creates the window if needed and brings it forward.
    void Open();
    void Close();

private:
    HistoryHost& host_;
    std::unique_ptr<HistoryFrame> frame_;
};

// Module operations; each does nothing while there is no window (or no view).
void OpenHistoryWindow();
void CloseHistoryWindow();
// New entries: the open window shows them.
void RefreshHistoryWindow();
// Stores where the window is (or was last) in the user's settings.
void SaveHistoryWindowPlacement();
