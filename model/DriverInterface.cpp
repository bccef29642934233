#include "model/DriverInterface.h"

#include <commctrl.h>

namespace {
template <typename Function>
bool Resolve(HMODULE library, const char* name, Function& out) {
    out = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return out != nullptr;
}
}  // namespace

DriverInterface& DriverInterface::Instance() {
    static DriverInterface driver;
    return driver;
}

bool DriverInterface::HasEntryPoints() const {
    return entry_.initialize && entry_.deinitialize && entry_.moveNodeUp && entry_.moveNodeDown && entry_.showLight &&
           entry_.saveChange;
}

bool DriverInterface::LoadLibraryExports() {
    if (HasEntryPoints()) return true;
    // Kept loaded for the life of the process: a restart after resume starts it again,
    // and its windows must not outlive its code.
    HMODULE library = LoadLibraryA("Linsett.dll");
    if (!library) {
        failure_ = Failure::MissingLibrary;
        missing_ = "Linsett.dll";
        return false;
    }
    EntryPoints found;
    auto resolve = [&](const char* name, auto& out) {
        if (Resolve(library, name, out)) return true;
        failure_ = Failure::MissingExport;
        missing_ = name;
        return false;
    };
    const bool complete = resolve("InitializeDLL", found.initialize) &&
                          resolve("DeinitializeDLL", found.deinitialize) && resolve("MoveNodeUp", found.moveNodeUp) &&
                          resolve("MoveNodeDown", found.moveNodeDown) &&
                          resolve("ShowRealTimeTransmissionLight", found.showLight) &&
                          resolve("SaveChange", found.saveChange);
    if (complete) entry_ = found;
    return complete;
}

bool DriverInterface::Start(HINSTANCE instance) {
    if (treeWindow_) Stop();
    failure_ = Failure::None;
    missing_ = "";
    if (!LoadLibraryExports()) return false;
    treeWindow_ = CreateWindowExA(0, WC_TREEVIEWA, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    // The library copies the three addresses; the table need not outlive the call.
    const LinsettCallback callbacks[kLinsettCallbackCount] = {&OnTopologyChanged, &OnDriverNotice, &OnTopologyChanging};
    rootBlock_ = reinterpret_cast<bytes::Address>(entry_.initialize(treeWindow_, callbacks));
    if (rootBlock_) return true;
    failure_ = Failure::NoHardware;
    DestroyWindow(treeWindow_);
    treeWindow_ = nullptr;
    return false;
}

void DriverInterface::Stop() {
    if (entry_.deinitialize) entry_.deinitialize();
    if (treeWindow_) DestroyWindow(treeWindow_);
    treeWindow_ = nullptr;
    rootBlock_ = 0;
}

void DriverInterface::MoveBy(bytes::Address record, int delta) {
    if (!HasEntryPoints()) return;
    void* target = reinterpret_cast<void*>(record);
    if (delta <= 0)
        entry_.moveNodeUp(target, -delta);
    else
        entry_.moveNodeDown(target, delta);
}

void DriverInterface::SetTransmissionLight(bool on) {
    if (entry_.showLight) entry_.showLight(on ? 1 : 0, 1);
}

void DriverInterface::SaveChange() {
    if (entry_.saveChange) entry_.saveChange();
}

uint32_t __stdcall DriverInterface::OnTopologyChanged(uint32_t rootBlock) {
    if (TopologyListener* listener = Instance().listener_)
        listener->TopologyChanged(static_cast<bytes::Address>(rootBlock));
    return 1;
}

uint32_t __stdcall DriverInterface::OnDriverNotice(uint32_t) { return 1; }

uint32_t __stdcall DriverInterface::OnTopologyChanging(uint32_t) {
    if (TopologyListener* listener = Instance().listener_) listener->TopologyChanging();
    return 1;
}
