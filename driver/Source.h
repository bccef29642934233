#pragma once
// Where the library's picture of the hardware comes from: a scenario file, or the machine's
// own USB tree. Each build of the library links exactly one.
#include <windows.h>

#include <memory>
#include <string>

#include "driver/Scenario.h"
#include "driver/World.h"

namespace linsett {

class Source {
public:
    virtual ~Source() = default;
    // The first picture. False, with a message for the user, when it cannot be had; a picture
    // without adapters means there is no supported hardware.
    virtual bool Read(Scenario& scenario, std::string& error) = 0;
    // The library's window exists (notifications can be asked for) / is about to go.
    virtual void Attach(HWND) {}
    virtual void Detach() {}
    // Whether a message to the window says the hardware may have changed.
    virtual bool SignalsChange(UINT, WPARAM) const { return false; }
    // Starts a fresh look after such a message or at the periodic check, away from the
    // window's thread; the window is posted `ready` when the picture can be taken.
    virtual void Look(HWND, UINT) {}
    // The picture of the last look; false when none could be had (the current one stays).
    virtual bool Take(const Scenario&, Scenario&) { return false; }
    // How often to look again unasked, in ms (0: never).
    virtual UINT RecheckMs() const { return 0; }
    // One tick of the transmission lights, every `periodMs`: sets the status codes of the
    // world's connected devices; true when one changed. A simulated source follows the
    // scenario's patterns; the hardware's own measures the traffic.
    virtual bool StepActivity(World& world, UINT periodMs);
};

std::unique_ptr<Source> MakeSource();

}  // namespace linsett
