#include "app/HistoryRecorder.h"

#include <string>
#include <utility>

#include "app/EventLog.h"
#include "app/Notifier.h"
#include "base/FileIo.h"
#include "base/FormatText.h"
#include "graphics/ResourceStrings.h"
#include "model/HistoryFile.h"
#include "resources/ResourceIds.h"
#include "systemview/HistoryFrame.h"

namespace {

// The history file and what became of it at start-up.
struct HistoryFile {
    std::string path;    // empty when LOCALAPPDATA is not set: the history then lives in memory
    // A file that could not be read or set aside may still hold the user's history: it is
    // never overwritten, and each save tries again to move it out of the way.
    bool blocked = false;
    const char* asideLabel = "";
    String notice;       // told once, then emptied
};

HistoryFile& TheFile() {
    static HistoryFile file;
    return file;
}

String Ansi(const std::string& utf8) { return String(fileio::Widen(utf8).c_str()); }

void SaveHistory() {
    HistoryFile& file = TheFile();
    if (file.path.empty()) return;
    if (file.blocked) {
        file.blocked = fileio::Exists(file.path) && fileio::SetAside(file.path, file.asideLabel).empty();
        if (file.blocked) return;
    }
    fileio::MakeParentFolder(file.path);
    // A folder that cannot be written keeps the history in memory; the next change tries again.
    std::string reason;
    fileio::ReplaceFileAtomically(file.path, history::HistoryText(TheHistory().Entries()), reason);
}

}  // namespace

history::Log& TheHistory() {
    static history::Log log;
    return log;
}

void LoadHistory() {
    HistoryFile& file = TheFile();
    std::string folder, text, reason;
    if (!fileio::ReadEnvironment("LOCALAPPDATA", folder)) return;
    file.path = folder + "\\Quorvane\\quorvane-history.txt";
    const fileio::ReadResult read = fileio::ReadWholeFile(file.path, text, reason, history::kMaxFileBytes);
    if (read == fileio::ReadResult::Absent) return;
    if (read == fileio::ReadResult::Read && history::ReadHistoryText(text, TheHistory())) return;
    file.asideLabel = read == fileio::ReadResult::Read ? "damaged" : "unreadable";
    if (read == fileio::ReadResult::Read) reason = "it is damaged";
    const std::string aside = fileio::SetAside(file.path, file.asideLabel);
    file.blocked = aside.empty();
    file.notice = file.blocked ? FormatText(LoadResourceString(IDS_HISTORY_KEPT), {Ansi(file.path), Ansi(reason)})
                               : FormatText(LoadResourceString(IDS_HISTORY_SET_ASIDE),
                                            {Ansi(file.path), Ansi(reason), Ansi(aside)});
}

void TellHistoryProblem(HWND owner) {
    String notice = std::exchange(TheFile().notice, String());
    if (notice.Empty()) return;
    MessageBoxA(owner, notice.Chars(), LoadResourceString(IDS_APP_CAPTION).Chars(), MB_OK | MB_ICONWARNING);
}

void RecordChanges(std::vector<history::Entry> entries) {
    if (entries.empty()) return;
    for (const history::Entry& entry : entries) TheHistory().Add(entry);
    SaveHistory();
    ReportToEventLog(entries);
    NoticeChanges(entries);
    RefreshHistoryWindow();
}
