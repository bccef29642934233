#include "app/Reports.h"

#include <cstring>

#include "app/HistoryRecorder.h"
#include "model/DeviceTree.h"
#include "model/Report.h"

namespace {

std::wstring TextReport() { return report::Text(report::Gather(TheDeviceTree()), TheHistory(), history::Now()); }

}  // namespace

std::string CurrentReport(ReportForm form) {
    if (form == ReportForm::Json) return report::Json(report::Gather(TheDeviceTree()), TheHistory(), history::Now());
    return report::Utf8(TextReport());
}

bool CopyReportToClipboard(HWND owner) {
    const std::wstring text = TextReport();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it takes it.
    if (OpenClipboard(owner)) {
        EmptyClipboard();
        const bool taken = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        CloseClipboard();
        if (taken) return true;
    }
    GlobalFree(memory);
    return false;
}
