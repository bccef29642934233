#pragma once
#include <cstdint>
#include <functional>

// What the dialogs ask of the program around them: the actions that reach beyond a dialog's
// own window. The program fills these in at the start; an empty hook does nothing.
struct DialogHooks {
    std::function<void(bool)> setAlwaysOnTop;       // the monitoring window's top-most state
    std::function<void()> startActivityTimer;       // the transmission lights on
    std::function<void()> stopActivityTimer;        // and off
    std::function<void()> createStartupShortcuts;   // start with Windows
    std::function<void()> removeStartupShortcuts;   // from both places, whichever exist
    std::function<void(int32_t)> runAlertCheck;     // at this sensitivity
    std::function<void(bool)> lockMainWindows;      // the monitoring window and the system view beep
    std::function<void()> openMakerWebSite;         // in the user's browser
};
void SetDialogHooks(DialogHooks hooks);
const DialogHooks& GetDialogHooks();

// Calls the hook when it is filled in.
template <typename Hook, typename... Args>
void CallHook(const Hook& hook, Args... args) {
    if (hook) hook(args...);
}
