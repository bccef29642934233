#pragma once
// One running library: the source and its picture of the hardware, the world, the published
// generation and the hidden window whose timers and posted messages drive everything on the
// caller's thread, with the controls this build lets other processes use.
#include <windows.h>

#include <memory>
#include <string>

#include "driver/Controls.h"
#include "driver/LinsettApi.h"
#include "driver/Persistence.h"
#include "driver/Publisher.h"
#include "driver/Scenario.h"
#include "driver/Source.h"
#include "driver/World.h"

namespace linsett {

// What outlives a DeinitializeDLL in the process.
struct ProcessFlags {
    bool failNextRestart = false;
    int lightSwitch = -1;  // the system record's byte 0x02; -1 before the first session
    unsigned generations = 0;  // handed to the program: one per start, one per finished change
    unsigned looks = 0;        // fresh pictures taken from the source after a notice or a recheck
    bool saveFailing = false;  // the last save failed and the user was told
};

class Session {
public:
    // Reads the scenario and the saved state; nothing runs yet. error: the scenario is
    // unusable (Ready() false); notice: something the user should be told.
    Session(ProcessFlags& flags, std::string& error, std::string& notice);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    bool Ready() const { return world_ != nullptr; }

    // Publishes the first generation and starts the window; no callback runs in here.
    void* Open(HWND tree, const void* callbackTable);

    void Move(void* record, int delta);
    void SetLights(bool on);
    void Save();

    HWND Window() const { return window_; }
    // Runs one command (a timeline event's or the controls'): "ok...", or "refused: <reason>".
    std::string Run(const std::string& text);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Persist();
    bool Rebuild(uint8_t changeCode);
    void Rescan();
    void RunTimeline();
    void ScheduleTimeline();

    ProcessFlags& flags_;
    std::unique_ptr<Controls> controls_;
    std::unique_ptr<Source> source_;
    std::unique_ptr<Scenario> scenario_;  // the world refers to it: both are replaced together
    std::unique_ptr<World> world_;
    StateStore store_;
    std::string report_;  // a failed save, told from the message loop
    std::unique_ptr<Published> published_;
    HWND tree_ = nullptr;
    HWND window_ = nullptr;
    bool classRegistered_ = false;
    LinsettCallback callbacks_[kLinsettCallbackCount] = {};
    bool rebuilding_ = false;
    int pendingChange_ = -1;
    ULONGLONG timelineStart_ = 0;
    size_t nextEvent_ = 0;
};

}  // namespace linsett
