#pragma once
#include <cstdint>

#include "base/String.h"
#include "framework/ListItem.h"
#include "model/History.h"

class DeviceNode;
class DeviceTree;

// What happened, in the user's words: "Plugged in", "Moved from Bench Hub port 2"...
String HistoryEventText(const history::Entry& entry);
// A local time (a FILETIME count) as "2026-12-06 14:03:22": compact, and the same on every
// machine, so that lines pasted side by side sort alike.
String HistoryTimeText(uint64_t localTime);

// The record the tree has now for an entry's device, connected or not; the computer for an
// entry of the library as a whole; null when there is none.
DeviceNode* HistoryRecord(DeviceTree& tree, const history::Entry& entry);
// The record, when the device is there to be shown in the system view.
DeviceNode* PresentRecord(DeviceTree& tree, const history::Entry& entry);

// One entry of the history list: the device's picture as its tile draws it, its name as it
// was then, what happened and when.
class HistoryRow : public ListItem {
public:
    static constexpr int kHeight = 34;

    explicit HistoryRow(history::Entry entry) : entry_(std::move(entry)) {}
    const history::Entry& Entry() const { return entry_; }

    void Measure(SIZE* out, int width) override;
    void Draw(HDC dc, int x, int y, int width) override;

private:
    history::Entry entry_;
};
