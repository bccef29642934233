// Temporary: the smallest recorder, until the history core replaces this file.
#include "app/HistoryRecorder.h"

#include "app/Notifier.h"

history::Log& TheHistory() {
    static history::Log log;
    return log;
}

void LoadHistory() {}

void RecordChanges(std::vector<history::Entry> entries) {
    NoticeChanges(entries);
    for (history::Entry& entry : entries) TheHistory().Add(std::move(entry));
}
