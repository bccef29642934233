#pragma once

// Ids of the string table, shared by the .rc files and the code.
#define IDS_APP_CAPTION 27
#define IDS_DETAIL_TITLE 39
#define IDS_NO_HARDWARE 70
#define IDS_ERROR_CAPTION 97
#define IDS_MSIMG32_REQUIRED 99
#define IDS_MONITOR_TITLE 101

#ifdef __cplusplus
namespace ids {
constexpr unsigned kAppCaption = IDS_APP_CAPTION;
constexpr unsigned kDetailTitle = IDS_DETAIL_TITLE;
constexpr unsigned kNoHardware = IDS_NO_HARDWARE;
constexpr unsigned kErrorCaption = IDS_ERROR_CAPTION;
constexpr unsigned kMsimg32Required = IDS_MSIMG32_REQUIRED;
constexpr unsigned kMonitorTitle = IDS_MONITOR_TITLE;
}  // namespace ids
#endif
