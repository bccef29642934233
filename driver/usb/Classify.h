#pragma once
// What the facts of one port say about the device in it: its node type code, its picture,
// a name from its class and its health, each decided in one place.
#include <string>

#include "driver/usb/Snapshot.h"

namespace linsett::usb {

// Node type code of the device or hub plugged into port (see the README's precedence).
int TypeCode(const PortFacts& port);
// Default icon number, from the icon chooser's folders.
int Icon(const PortFacts& port);
// "USB Mass Storage Device"... for a device that names itself nowhere.
std::u16string ClassName(const PortFacts& port);

struct Health {
    int severity = 0;
    std::string text;    // what is wrong, in the user's words
    std::string advice;  // what to do about it; empty when nothing is
    std::string Joined() const { return advice.empty() ? text : text + " " + advice; }
};

// The health of whatever is in port: the worst of its connection status, its device node's
// problem and its speed against the port's.
Health PortHealth(const PortFacts& port);
// A host controller's own device node (its root hub has no node of its own here).
Health ControllerHealth(const DeviceFacts& device);
// A hub whose ports could not all be read in this pass.
Health UnreadHub();
// Its own words for something working properly, for a hub or a device.
Health Fine(bool hub);

}  // namespace linsett::usb
