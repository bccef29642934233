#pragma once
#include <cstdint>

// What the dialogs ask of the program around them: the actions that reach beyond a dialog's
// own window.
class DialogHost {
public:
    virtual void SetAlwaysOnTop(bool on) = 0;  // the monitoring window's top-most state
    virtual void SetLights(bool on) = 0;       // the transmission lights, once the switch is stored
    virtual void SetAutoLaunch(bool on) = 0;   // the start-up shortcuts made, or removed from both places
    virtual void AlertSensitivityChanged(int32_t level) = 0;  // the alert check at the new level
    virtual void LockMainWindows(bool locked) = 0;  // the monitoring window and the system view only beep
    virtual void OpenMakerWebSite() = 0;  // in the user's browser

protected:
    ~DialogHost() = default;
};
