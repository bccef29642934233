#pragma once
// What other processes may ask of a running library. The stand-in and the test build of the
// hardware-backed library link the control channel (ControlChannel.cpp): its window class is
// the one senders look for, and commands come by WM_COPYDATA. The build for real hardware
// links NoControls.cpp: a window of another class that takes no commands.
#include <windows.h>

#include <memory>

namespace linsett {

class Session;

// The one message the controls may post to the session's window; the session's own come after.
constexpr UINT kControlsMessage = WM_APP + 1;

class Controls {
public:
    virtual ~Controls() = default;
    // The class the session's window is registered under.
    virtual const char* WindowClass() const = 0;
    // A message to the session's window: true, with its result, when the controls took it.
    virtual bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

std::unique_ptr<Controls> MakeControls(Session& session);

}  // namespace linsett
