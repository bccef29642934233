#pragma once
// The control channel: a sender passes its own window handle as wParam of WM_COPYDATA with
// dwData = kCommandTag and the command as UTF-8 bytes; the library answers that window
// with WM_COPYDATA, dwData = kReplyTag: "ok", "ok\n<dump lines>" or "refused: <reason>".
#include <cstdint>

namespace linsett {

inline constexpr char kControlClass[] = "LinsettControl";
inline constexpr uintptr_t kCommandTag = 0x4C434D44;  // "LCMD"
inline constexpr uintptr_t kReplyTag = 0x4C52504C;    // "LRPL"
inline constexpr unsigned kMaxCommandBytes = 4096;

}  // namespace linsett
