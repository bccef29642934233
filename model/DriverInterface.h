#pragma once
#include <windows.h>

#include <cstdint>

#include "driver/LinsettApi.h"
#include "base/Bytes.h"

// What the program does when the library calls back: a change of the topology is announced
// (from then on no structure may be read) and then arrives with its new root block.
class TopologyListener {
public:
    virtual void TopologyChanging() = 0;
    virtual void TopologyChanged(bytes::Address newRootBlock) = 0;

protected:
    ~TopologyListener() = default;
};

// The program's thin layer around the driver-interface library: it owns the hidden
// tree window the library fills, holds the current root block, forwards the exported
// operations and hands the library's callbacks to the listener.
class DriverInterface {
public:
    // The library's exports (caller pops the arguments).
    struct EntryPoints {
        InitializeDLLFn initialize = nullptr;
        DeinitializeDLLFn deinitialize = nullptr;
        MoveNodeUpFn moveNodeUp = nullptr;
        MoveNodeDownFn moveNodeDown = nullptr;
        ShowRealTimeTransmissionLightFn showLight = nullptr;
        SaveChangeFn saveChange = nullptr;
    };
    static DriverInterface& Instance();

    // Why the last start failed: the library or one of its exports is missing (Missing()
    // names which), or the library found no supported hardware.
    enum class Failure { None, MissingLibrary, MissingExport, NoHardware };

    // Loads "Linsett.dll" beside the program unless entry points were given; false
    // when the library or one of its exports is missing.
    bool LoadLibraryExports();
    void UseEntryPoints(const EntryPoints& entryPoints) { entry_ = entryPoints; }
    // Null: the callbacks are answered and do nothing.
    void SetListener(TopologyListener* listener) { listener_ = listener; }

    // Creates the hidden tree window and starts the library; false when it is not there
    // or found no supported hardware. The tree window exists exactly while the library
    // runs: a failed start leaves none, and a start while running stops first.
    bool Start(HINSTANCE instance);
    // Stops the library and destroys the tree window.
    void Stop();
    Failure LastFailure() const { return failure_; }
    const char* Missing() const { return missing_; }

    // Negative or zero moves towards the front of the monitoring order.
    void MoveBy(bytes::Address record, int delta);
    void SetTransmissionLight(bool on);
    void SaveChange();

    bytes::Address RootBlock() const { return rootBlock_; }
    void SetRootBlock(bytes::Address block) { rootBlock_ = block; }
    HWND TreeWindow() const { return treeWindow_; }

    // The callbacks the library receives; each forwards to the listener and returns 1.
    static uint32_t __stdcall OnTopologyChanged(uint32_t rootBlock);
    static uint32_t __stdcall OnDriverNotice(uint32_t ignored);
    static uint32_t __stdcall OnTopologyChanging(uint32_t ignored);

private:
    bool HasEntryPoints() const;
    EntryPoints entry_;
    TopologyListener* listener_ = nullptr;
    HWND treeWindow_ = nullptr;
    bytes::Address rootBlock_ = 0;
    Failure failure_ = Failure::None;
    const char* missing_ = "";
};
