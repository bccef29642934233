#pragma once
#include <deque>
#include <memory>
#include <vector>

#include "framework/ItemList.h"
#include "systemview/HistoryRows.h"

class HistoryHost;

// The history's entries newest first, in a framed list. A press on the entry of a device
// that is there shows the device in the system view; on another entry it only beeps.
class HistoryList : public ItemList {
public:
    HistoryList(Element* parent, HistoryHost& host);
    ~HistoryList() override;

    // The log's entries (oldest first) shown newest first. A list scrolled down keeps the
    // rows it showed in view; one at the top shows the new ones.
    void ShowEntries(const std::deque<history::Entry>& entries);
    // Scrolls by the wheel's turn (WHEEL_DELTA a notch, positive away from the user).
    void Wheel(int delta);
    // The row under a point of the list, or null.
    const HistoryRow* RowAt(POINT p) const;

    void DrawSelf(HDC dc) override;
    void OnLeftButtonDown(POINT* p, UINT keys) override;
    void OnMouseMove(POINT* p, UINT keys) override;
    String GetTooltip(POINT* p) override;

private:
    // The record of the row under the point when its device is there to be shown.
    DeviceNode* PresentAt(POINT p) const;

    HistoryHost& host_;
    std::vector<std::unique_ptr<HistoryRow>> rows_;
    int wheelRest_ = 0;
};
