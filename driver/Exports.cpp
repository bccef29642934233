// The six exports. None of them calls a callback: changes run from the hidden window. None
// lets an exception out: one that fails that way returns 0, InitializeDLL NULL with the
// library stopped.
#include <memory>
#include <string>

#include "driver/Contain.h"
#include "driver/LinsettApi.h"
#include "driver/Module.h"
#include "driver/Session.h"

namespace {

using linsett::Contain;
using linsett::ShowBox;

std::unique_ptr<linsett::Session> g_session;
linsett::ProcessFlags g_flags;

// A session that is not complete is destroyed on the way out, whatever the way.
void* Start(HWND treeWindow, const void* callbackTable) {
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

// Runs an export's work on the running session, if there is one.
template <class Work>
int WithSession(Work&& work) {
    return Contain(0, [&] {
        if (g_session) work(*g_session);
        return 1;
    });
}

}  // namespace

extern "C" {

void* __cdecl InitializeDLL(HWND treeWindow, const void* callbackTable) {
    g_session.reset();
    return Contain<void*>(nullptr, [&] { return Start(treeWindow, callbackTable); });
}

int __cdecl DeinitializeDLL() {
    g_session.reset();
    return 1;
}

int __cdecl MoveNodeUp(void* record, int places) {
    return WithSession([&](linsett::Session& session) {
        if (places > 0) session.Move(record, -places);
    });
}

int __cdecl MoveNodeDown(void* record, int places) {
    return WithSession([&](linsett::Session& session) {
        if (places > 0) session.Move(record, places);
    });
}

int __cdecl ShowRealTimeTransmissionLight(int on, int constant) {
    return WithSession([&](linsett::Session& session) { session.SetLights(on != 0); });
}

int __cdecl SaveChange() {
    return WithSession([](linsett::Session& session) { session.Save(); });
}

}  // extern "C"
