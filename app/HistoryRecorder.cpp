// temporary: replaced by the history core
#include "app/HistoryRecorder.h"

history::Log& TheHistory() {
    static history::Log log;
    return log;
}
void LoadHistory() {}
void RecordChanges(std::vector<history::Entry> entries) {
    for (auto& entry : entries) TheHistory().Add(std::move(entry));
}
