#include "driver/Session.h"

#include <commctrl.h>

#include <utility>

#include "driver/Command.h"
#include "driver/Contain.h"
#include "driver/Module.h"
#include "driver/ScenarioDiff.h"
#include "driver/StateFile.h"

namespace linsett {

namespace {

constexpr UINT_PTR kActivityTimer = 1;
constexpr UINT_PTR kTimelineTimer = 2;
constexpr UINT_PTR kRescanTimer = 3;   // a notification settles
constexpr UINT_PTR kRecheckTimer = 4;  // the source's periodic look
constexpr UINT kSettleMs = 300;        // a burst of notifications gives one look
constexpr UINT kDeferredChange = kControlsMessage + 1;
constexpr UINT kShowReport = kControlsMessage + 2;
constexpr UINT kPictureReady = kControlsMessage + 3;

Session* g_active = nullptr;  // one library instance per process

void ClearTree(HWND tree) {
    if (IsWindow(tree)) SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

bool RegisterWindowClass(const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = LibraryModule();
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

bool Source::StepActivity(World& world, UINT) { return world.StepActivity(); }

Session::Session(ProcessFlags& flags, std::string& error, std::string& notice)
    : flags_(flags), controls_(MakeControls(*this)), source_(MakeSource()), scenario_(std::make_unique<Scenario>()) {
    if (!source_->Read(*scenario_, error) || scenario_->adapters.empty()) return;
    world_ = std::make_unique<World>(*scenario_);
    store_.Restore(*world_, notice);
    if (flags_.lightSwitch >= 0) world_->lightSwitch = flags_.lightSwitch;
}

// Nothing in here may throw: what cannot be done for lack of memory is left undone.
Session::~Session() {
    if (window_) {
        source_->Detach();
        for (UINT_PTR timer : {kActivityTimer, kTimelineTimer, kRescanTimer, kRecheckTimer}) KillTimer(window_, timer);
        DestroyWindow(window_);
    }
    // Unregistered each time, even when no window came of it, so that the next start can
    // register it again and a reloaded library never meets a stale procedure.
    if (classRegistered_) UnregisterClassA(controls_->WindowClass(), LibraryModule());
    SimulateLowMemory(false);
    if (!report_.empty()) Contain([&] { ShowBox(report_, MB_ICONWARNING); });  // no window left: no callback can come
    if (published_) {
        Contain([&] { Harvest(*published_, *world_); });
        flags_.lightSwitch = world_->lightSwitch;
    }
    ClearTree(tree_);
    if (g_active == this) g_active = nullptr;
}

void* Session::Open(HWND tree, const void* callbackTable) {
    tree_ = tree;
    const auto* table = static_cast<const LinsettCallback*>(callbackTable);
    for (int i = 0; i < kLinsettCallbackCount; ++i) callbacks_[i] = table[i];
    classRegistered_ = RegisterWindowClass(controls_->WindowClass(), &Session::WindowProc);
    if (!classRegistered_) return nullptr;
    g_active = this;
    window_ = CreateWindowExA(0, controls_->WindowClass(), "Linsett", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              LibraryModule(), nullptr);
    if (!window_) return nullptr;
    published_ = Publish(*world_, tree_, static_cast<uint16_t>(scenario_->lightPeriodMs), 0);
    if (!published_) return nullptr;
    source_->Attach(window_);
    if (source_->RecheckMs()) SetTimer(window_, kRecheckTimer, source_->RecheckMs(), nullptr);
    ++flags_.generations;
    timelineStart_ = GetTickCount64();
    ScheduleTimeline();
    return published_->memory.At<void>(published_->root);
}

void Session::Move(void* record, int delta) {
    if (!published_) return;
    int unit = UnitOfRecord(*published_, record);
    if (unit < 0) return;
    Harvest(*published_, *world_);
    if (world_->Move(unit, delta)) Relink(*published_, *world_);
    Persist();
}

void Session::SetLights(bool on) {
    if (!window_) return;
    if (on) SetTimer(window_, kActivityTimer, static_cast<UINT>(scenario_->lightPeriodMs), nullptr);
    else KillTimer(window_, kActivityTimer);
}

void Session::Save() {
    if (!published_) return;
    Harvest(*published_, *world_);
    Persist();
}

// A failed save is told once until a save succeeds again, from the message loop rather
// than inside the export (a box's loop there could run a callback).
void Session::Persist() {
    std::string reason = store_.Save(*world_);
    if (reason.empty() || flags_.saveFailing) {
        flags_.saveFailing = !reason.empty();
        return;
    }
    flags_.saveFailing = true;
    report_ = "The device settings could not be saved (" + reason +
              ").\nThe changes stay in effect while the program runs; the next save tries again.";
    PostMessageA(window_, kShowReport, 0, 0);
}

LRESULT CALLBACK Session::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_active && (g_active->window_ == window || !g_active->window_)) {
        g_active->window_ = window;  // messages sent during CreateWindowExA come before its result
        // A message whose work throws is dropped; the library goes on with the next one.
        return Contain(LRESULT(0), [&] { return g_active->Handle(message, wParam, lParam); });
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Session::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls_->Handle(message, wParam, lParam, result)) return result;
    switch (message) {
    case kShowReport:
        if (!report_.empty()) ShowBox(std::exchange(report_, std::string()), MB_ICONWARNING);
        return 0;
    case kDeferredChange:
        if (published_) Harvest(*published_, *world_);
        Rebuild(static_cast<uint8_t>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kActivityTimer && published_ && !rebuilding_ &&
            source_->StepActivity(*world_, static_cast<UINT>(scenario_->lightPeriodMs)))
            WriteActivity(*published_, *world_);
        if (wParam == kTimelineTimer) RunTimeline();
        if (wParam == kRescanTimer || wParam == kRecheckTimer) {
            KillTimer(window_, kRescanTimer);
            source_->Look(window_, kPictureReady);
        }
        return 0;
    case kPictureReady:
        Rescan();
        return 0;
    default:
        if (source_->SignalsChange(message, wParam)) {
            SetTimer(window_, kRescanTimer, kSettleMs, nullptr);  // each one puts the look off again
            return TRUE;
        }
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

std::string Session::Run(const std::string& text) {
    Command command;
    std::string reason;
    if (!ParseCommand(text, command, reason)) return "refused: " + reason;
    if (published_) Harvest(*published_, *world_);
    Outcome outcome;
    reason = world_->Execute(command, outcome);
    if (!reason.empty()) return "refused: " + reason;
    if (outcome.failNextRestart) flags_.failNextRestart = true;
    if (outcome.lowMemory >= 0) SimulateLowMemory(outcome.lowMemory != 0);
    if (outcome.dump) return "ok\n" + world_->Dump();
    if (outcome.generations) return "ok " + std::to_string(flags_.generations);
    if (outcome.looks) return "ok " + std::to_string(flags_.looks);
    if (outcome.rebuild) Rebuild(outcome.changeCode);
    else if (published_) WriteActivity(*published_, *world_);
    return "ok";
}

// The caller has harvested the program's edits already (a command may have changed them
// since). Changing, then the structures are rewritten at new addresses and the items reinserted,
// then Changed; the old generation is freed only after the program has moved on.
// Should low memory run out, the old generation and its items stay as they are and Changed
// hands them back, so the program never waits in vain; the next change tries again. (Freeing
// the old generation first to make room would leave nothing to hand back if that failed too.)
bool Session::Rebuild(uint8_t changeCode) {
    if (!published_) return false;
    if (rebuilding_) {  // a callback pumped messages: do it once this change is over
        pendingChange_ = changeCode;
        return false;
    }
    rebuilding_ = true;
    callbacks_[kOnTopologyChanging](0);
    // Memory running out on the way is the same: the program gets the old generation back.
    auto next = Contain(std::unique_ptr<Published>(), [&] {
        return Publish(*world_, tree_, static_cast<uint16_t>(scenario_->lightPeriodMs), changeCode);
    });
    const bool published = next != nullptr;
    std::unique_ptr<Published> old;
    if (next) {
        old = std::move(published_);
        published_ = std::move(next);
    }
    callbacks_[kOnTopologyChanged](published_->root);
    if (old) ++flags_.generations;
    old.reset();
    rebuilding_ = false;
    if (pendingChange_ >= 0) {
        PostMessageA(window_, kDeferredChange, static_cast<WPARAM>(pendingChange_), 0);
        pendingChange_ = -1;
    }
    return published;
}

// A fresh picture of the hardware is ready. Only a real difference becomes a change for the
// program; the user's texts, icons and order go over to the new picture by key.
void Session::Rescan() {
    if (!published_) return;
    if (rebuilding_) {  // a callback pumped messages: look again once this change is over
        Scenario stale;
        source_->Take(*scenario_, stale);
        SetTimer(window_, kRescanTimer, kSettleMs, nullptr);
        return;
    }
    auto scenario = std::make_unique<Scenario>();
    if (!source_->Take(*scenario_, *scenario)) return;
    ++flags_.looks;
    const Difference difference = Compare(*scenario_, *scenario);
    if (difference == Difference::None) return;
    Harvest(*published_, *world_);
    auto world = std::make_unique<World>(*scenario);
    Problem unused;
    ReadState(WriteState(*world_), *world, unused);  // the light switch goes with them
    std::swap(scenario_, scenario);
    std::swap(world_, world);
    // Should low memory keep the new generation from being made, the old picture stays with
    // the structures the program was handed back; the next look tries again.
    if (!Rebuild(difference == Difference::Plug ? kChangePlug : kChangeTexts)) {
        std::swap(scenario_, scenario);
        std::swap(world_, world);
    }
}

void Session::ScheduleTimeline() {
    const auto& events = scenario_->timeline;
    if (nextEvent_ >= events.size()) {
        if (!scenario_->loopMs || events.empty()) return;
        timelineStart_ += scenario_->loopMs;
        nextEvent_ = 0;
    }
    ULONGLONG due = timelineStart_ + events[nextEvent_].at;
    ULONGLONG now = GetTickCount64();
    SetTimer(window_, kTimelineTimer, due > now ? static_cast<UINT>(due - now) : USER_TIMER_MINIMUM, nullptr);
}

void Session::RunTimeline() {
    KillTimer(window_, kTimelineTimer);
    const auto& events = scenario_->timeline;
    ULONGLONG now = GetTickCount64();
    while (nextEvent_ < events.size() && timelineStart_ + events[nextEvent_].at <= now) {
        Run(events[nextEvent_].command);  // a refused event (port taken by hand) is skipped
        ++nextEvent_;
    }
    ScheduleTimeline();
}

}  // namespace linsett
