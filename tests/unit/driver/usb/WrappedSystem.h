#pragma once
// A system interface that hands every call to another one; a test overrides what it watches.
#include <memory>
#include <utility>
#include "driver/usb/UsbSystem.h"

namespace linsett::usb {

class WrappedSystem : public UsbSystem {
public:
    explicit WrappedSystem(std::unique_ptr<UsbSystem> inner) : inner_(std::move(inner)) {}
    void BeginPass() override { inner_->BeginPass(); }
    std::u16string ComputerName() override { return inner_->ComputerName(); }
    std::vector<InterfaceEntry> ListInterfaces(InterfaceClass which) override { return inner_->ListInterfaces(which); }
    std::unique_ptr<OpenDevice> Open(const std::u16string& path, uint32_t& error) override {
        return inner_->Open(path, error);
    }
    uint32_t Control(OpenDevice& device, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                     uint32_t& returned, uint32_t timeoutMs) override {
        return inner_->Control(device, code, in, inSize, out, outSize, returned, timeoutMs);
    }
    bool Properties(NodeKey by, const std::u16string& key, NodeProperties& out) override {
        return inner_->Properties(by, key, out);
    }
    uint64_t NowMs() override { return inner_->NowMs(); }

private:
    std::unique_ptr<UsbSystem> inner_;
};

}  // namespace linsett::usb
