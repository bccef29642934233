// The six exports. None of them calls a callback: changes run from the hidden window.
#include <memory>
#include <string>

#include "driver/LinsettApi.h"
#include "driver/Module.h"
#include "driver/Session.h"

namespace {

using linsett::ShowBox;

std::unique_ptr<linsett::Session> g_session;
linsett::ProcessFlags g_flags;

}  // namespace

extern "C" {

void* __cdecl InitializeDLL(HWND treeWindow, const void* callbackTable) {
    g_session.reset();
    if (g_flags.failNextRestart) {
        g_flags.failNextRestart = false;
        return nullptr;
    }
    if (!treeWindow || !callbackTable) return nullptr;
    std::string error, notice;
    auto session = std::make_unique<linsett::Session>(g_flags, error, notice);
    // The boxes come before the window exists, so their loops cannot run a callback.
    if (!error.empty()) ShowBox(error, MB_ICONERROR);
    if (!session->Ready()) return nullptr;
    if (!notice.empty()) ShowBox(notice, MB_ICONWARNING);
    void* root = session->Open(treeWindow, callbackTable);
    if (root) g_session = std::move(session);
    return root;
}

int __cdecl DeinitializeDLL() {
    g_session.reset();
    return 1;
}

int __cdecl MoveNodeUp(void* record, int places) {
    if (g_session && places > 0) g_session->Move(record, -places);
    return 1;
}

int __cdecl MoveNodeDown(void* record, int places) {
    if (g_session && places > 0) g_session->Move(record, places);
    return 1;
}

int __cdecl ShowRealTimeTransmissionLight(int on, int constant) {
    if (g_session) g_session->SetLights(on != 0);
    return 1;
}

int __cdecl SaveChange() {
    if (g_session) g_session->Save();
    return 1;
}

}  // extern "C"
