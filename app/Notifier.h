#pragma once
#include <vector>

#include "base/String.h"
#include "model/History.h"
#include "model/Notices.h"

// The history's balloons in the notification area, by the user's "Notifications".

// New entries of the history, as they are recorded.
void NoticeChanges(const std::vector<history::Entry>& entries);
// The application window's notice timer ran out: the notice that is due shows.
void ShowDueNotices();

// What a notice says, in the program's words: "Disk unplugged", "10 devices connected".
String NoticeText(const notices::Notice& notice);
