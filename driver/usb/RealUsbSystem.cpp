#include "driver/usb/RealUsbSystem.h"

// The V2 connection structure is declared for Windows 8 and later; on Windows 7 the call is
// refused at run time and the enumerator does without it.
#define NTDDI_VERSION 0x06020000
// clang-format off
#include <windows.h>
#include <winioctl.h>
#include <initguid.h>
#include <devpkey.h>
#include <setupapi.h>
#include <cfgmgr32.h>
#include <usbiodef.h>
#include <usbioctl.h>
// clang-format on

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>

#include "driver/usb/RegistryText.h"
#include "driver/usb/UsbLayouts.h"

namespace linsett::usb {

namespace {

// The decoder's offsets are the platform's packed structures.
namespace L = layout;
static_assert(L::kGetRootHubName == IOCTL_USB_GET_ROOT_HUB_NAME);
static_assert(L::kGetHcdDriverKeyName == IOCTL_GET_HCD_DRIVERKEY_NAME);
static_assert(L::kGetNodeInformation == IOCTL_USB_GET_NODE_INFORMATION);
static_assert(L::kGetDescriptor == IOCTL_USB_GET_DESCRIPTOR_FROM_NODE_CONNECTION);
static_assert(L::kGetConnectionName == IOCTL_USB_GET_NODE_CONNECTION_NAME);
static_assert(L::kGetConnectionDriverKeyName == IOCTL_USB_GET_NODE_CONNECTION_DRIVERKEY_NAME);
static_assert(L::kGetConnectionInformationEx == IOCTL_USB_GET_NODE_CONNECTION_INFORMATION_EX);
static_assert(L::kGetConnectionInformationExV2 ==
              CTL_CODE(FILE_DEVICE_USB, USB_GET_NODE_CONNECTION_INFORMATION_EX_V2, METHOD_BUFFERED, FILE_ANY_ACCESS));
static_assert(L::node::kNumberOfPorts == offsetof(USB_NODE_INFORMATION, u.HubInformation.HubDescriptor.bNumberOfPorts));
static_assert(L::node::kDescriptorType ==
              offsetof(USB_NODE_INFORMATION, u.HubInformation.HubDescriptor.bDescriptorType));
static_assert(L::node::kHubCharacteristics ==
              offsetof(USB_NODE_INFORMATION, u.HubInformation.HubDescriptor.wHubCharacteristics));
static_assert(L::node::kHubIsBusPowered == offsetof(USB_NODE_INFORMATION, u.HubInformation.HubIsBusPowered));
static_assert(L::node::kSize == sizeof(USB_NODE_INFORMATION));
static_assert(L::connection::kDeviceDescriptor == offsetof(USB_NODE_CONNECTION_INFORMATION_EX, DeviceDescriptor));
static_assert(L::connection::kCurrentConfiguration ==
              offsetof(USB_NODE_CONNECTION_INFORMATION_EX, CurrentConfigurationValue));
static_assert(L::connection::kSpeed == offsetof(USB_NODE_CONNECTION_INFORMATION_EX, Speed));
static_assert(L::connection::kDeviceIsHub == offsetof(USB_NODE_CONNECTION_INFORMATION_EX, DeviceIsHub));
static_assert(L::connection::kDeviceAddress == offsetof(USB_NODE_CONNECTION_INFORMATION_EX, DeviceAddress));
static_assert(L::connection::kOpenPipes == offsetof(USB_NODE_CONNECTION_INFORMATION_EX, NumberOfOpenPipes));
static_assert(L::connection::kStatus == offsetof(USB_NODE_CONNECTION_INFORMATION_EX, ConnectionStatus));
static_assert(L::connection::kSize == sizeof(USB_NODE_CONNECTION_INFORMATION_EX));
static_assert(L::connection::kPipeSize == sizeof(USB_PIPE_INFO));
static_assert(L::connection2::kLength == offsetof(USB_NODE_CONNECTION_INFORMATION_EX_V2, Length));
static_assert(L::connection2::kProtocols == offsetof(USB_NODE_CONNECTION_INFORMATION_EX_V2, SupportedUsbProtocols));
static_assert(L::connection2::kFlags == offsetof(USB_NODE_CONNECTION_INFORMATION_EX_V2, Flags));
static_assert(L::connection2::kSize == sizeof(USB_NODE_CONNECTION_INFORMATION_EX_V2));
static_assert(L::portName::kActualLength == offsetof(USB_NODE_CONNECTION_NAME, ActualLength));
static_assert(L::portName::kName == offsetof(USB_NODE_CONNECTION_NAME, NodeName));
static_assert(L::portName::kName == offsetof(USB_NODE_CONNECTION_DRIVERKEY_NAME, DriverKeyName));
static_assert(L::portName::kSize == sizeof(USB_NODE_CONNECTION_NAME));
static_assert(L::hcdName::kName == offsetof(USB_ROOT_HUB_NAME, RootHubName));
static_assert(L::hcdName::kName == offsetof(USB_HCD_DRIVERKEY_NAME, DriverKeyName));
static_assert(L::hcdName::kSize == sizeof(USB_ROOT_HUB_NAME));
static_assert(L::request::kValue == offsetof(USB_DESCRIPTOR_REQUEST, SetupPacket.wValue));
static_assert(L::request::kLanguage == offsetof(USB_DESCRIPTOR_REQUEST, SetupPacket.wIndex));
static_assert(L::request::kLength == offsetof(USB_DESCRIPTOR_REQUEST, SetupPacket.wLength));
static_assert(L::request::kData == offsetof(USB_DESCRIPTOR_REQUEST, Data));
static_assert(L::descriptor::kDeviceSize == sizeof(USB_DEVICE_DESCRIPTOR));
static_assert(L::device::kVendor == offsetof(USB_DEVICE_DESCRIPTOR, idVendor));
static_assert(L::device::kBcdDevice == offsetof(USB_DEVICE_DESCRIPTOR, bcdDevice));
static_assert(L::device::kSerial == offsetof(USB_DEVICE_DESCRIPTOR, iSerialNumber));

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
std::u16string FromWide(const wchar_t* text) { return text ? reinterpret_cast<const char16_t*>(text) : u""; }

// One move-free owner per handle kind.
class DeviceInfoSet {
public:
    explicit DeviceInfoSet(HDEVINFO set) : set_(set) {}
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;
    ~DeviceInfoSet() {
        if (Valid()) SetupDiDestroyDeviceInfoList(set_);
    }
    bool Valid() const { return set_ != INVALID_HANDLE_VALUE; }
    HDEVINFO Get() const { return set_; }

private:
    HDEVINFO set_;
};

// How long a cancelled request may take to come back. A driver that honours the cancellation
// completes it at once; one that has not within this long may never.
constexpr DWORD kCancelWaitMs = 200;

// One request in flight, with buffers of its own: the system writes into them whenever the
// request completes, so a request whose cancellation never lands is left allocated for good
// rather than freed under the driver.
struct Pending {
    Pending() = default;
    Pending(const Pending&) = delete;
    Pending& operator=(const Pending&) = delete;
    ~Pending() {
        if (event) CloseHandle(event);
    }
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    OVERLAPPED overlapped{};
    std::vector<uint8_t> in, out;
};

class RealDevice : public OpenDevice {
public:
    explicit RealDevice(HANDLE file) : file_(file) {}
    RealDevice(const RealDevice&) = delete;
    RealDevice& operator=(const RealDevice&) = delete;
    ~RealDevice() override { CloseHandle(file_); }
    HANDLE Get() const { return file_; }

private:
    HANDLE file_;
};

// A registry property of a device as text (REG_SZ), or every string of a REG_MULTI_SZ. The
// value may change between the two calls, and nothing makes it end in its terminators.
std::vector<std::u16string> RegistryStrings(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property) {
    DWORD type = 0, size = 0;
    SetupDiGetDeviceRegistryPropertyW(set, &data, property, &type, nullptr, 0, &size);
    if (!size || (type != REG_SZ && type != REG_MULTI_SZ)) return {};
    std::vector<BYTE> bytes(size);
    DWORD written = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, &data, property, &type, bytes.data(), size, &written) ||
        (type != REG_SZ && type != REG_MULTI_SZ)) {
        return {};
    }
    return SplitRegistryStrings(bytes.data(), std::min<size_t>(written, size), type == REG_MULTI_SZ);
}

std::u16string RegistryString(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property) {
    std::vector<std::u16string> strings = RegistryStrings(set, data, property);
    return strings.empty() ? std::u16string() : strings[0];
}

std::u16string StringProperty(HDEVINFO set, SP_DEVINFO_DATA& data, const DEVPROPKEY& key) {
    DEVPROPTYPE type = 0;
    DWORD size = 0;
    SetupDiGetDevicePropertyW(set, &data, &key, &type, nullptr, 0, &size, 0);
    if (!size || type != DEVPROP_TYPE_STRING) return {};
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDevicePropertyW(set, &data, &key, &type, reinterpret_cast<BYTE*>(text.data()),
                                   DWORD(text.size() * sizeof(wchar_t)), &size, 0)) {
        return {};
    }
    return FromWide(text.data());
}

uint64_t DateProperty(HDEVINFO set, SP_DEVINFO_DATA& data, const DEVPROPKEY& key) {
    DEVPROPTYPE type = 0;
    FILETIME time{};
    if (!SetupDiGetDevicePropertyW(set, &data, &key, &type, reinterpret_cast<BYTE*>(&time), sizeof time, nullptr, 0) ||
        type != DEVPROP_TYPE_FILETIME) {
        return 0;
    }
    return uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

std::u16string InstanceId(HDEVINFO set, SP_DEVINFO_DATA& data) {
    wchar_t id[MAX_DEVICE_ID_LEN + 1] = {};
    if (!SetupDiGetDeviceInstanceIdW(set, &data, id, MAX_DEVICE_ID_LEN, nullptr)) return {};
    return FromWide(id);
}

class RealUsbSystem : public UsbSystem {
public:
    void BeginPass() override { driverKeys_.clear(); }

    std::u16string ComputerName() override {
        wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
        return GetComputerNameW(name, &size) ? FromWide(name) : u"";
    }

    std::vector<InterfaceEntry> ListInterfaces(InterfaceClass which) override {
        std::vector<InterfaceEntry> entries;
        const GUID& guid =
            which == InterfaceClass::HostController ? GUID_DEVINTERFACE_USB_HOST_CONTROLLER : GUID_DEVINTERFACE_USB_HUB;
        DeviceInfoSet set(SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
        if (!set.Valid()) return entries;
        SP_DEVICE_INTERFACE_DATA face{};
        face.cbSize = sizeof face;
        for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &guid, i, &face); ++i) {
            DWORD size = 0;
            SetupDiGetDeviceInterfaceDetailW(set.Get(), &face, nullptr, 0, &size, nullptr);
            if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
            std::vector<std::byte> storage(size + sizeof(wchar_t));
            auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
            detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
            SP_DEVINFO_DATA data{};
            data.cbSize = sizeof data;
            if (!SetupDiGetDeviceInterfaceDetailW(set.Get(), &face, detail, size, nullptr, &data)) continue;
            entries.push_back({FromWide(detail->DevicePath), InstanceId(set.Get(), data)});
        }
        return entries;
    }

    std::unique_ptr<OpenDevice> Open(const std::u16string& path, uint32_t& error) override {
        HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OVERLAPPED, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            return nullptr;
        }
        error = 0;
        return std::make_unique<RealDevice>(file);
    }

    uint32_t Control(OpenDevice& device, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                     uint32_t& returned, uint32_t timeoutMs) override {
        returned = 0;
        HANDLE file = static_cast<RealDevice&>(device).Get();
        auto request = std::make_unique<Pending>();
        if (!request->event) return GetLastError();
        request->overlapped.hEvent = request->event;
        if (in) request->in.assign(static_cast<const uint8_t*>(in), static_cast<const uint8_t*>(in) + inSize);
        request->out.resize(out ? outSize : 0);
        DWORD bytes = 0;
        if (!DeviceIoControl(file, code, request->in.data(), DWORD(request->in.size()), request->out.data(),
                             DWORD(request->out.size()), nullptr, &request->overlapped)) {
            DWORD error = GetLastError();
            if (error != ERROR_IO_PENDING) return error;
            if (WaitForSingleObject(request->event, timeoutMs) != WAIT_OBJECT_0) {
                CancelIoEx(file, &request->overlapped);
                if (WaitForSingleObject(request->event, kCancelWaitMs) != WAIT_OBJECT_0) {
                    static_cast<void>(request.release());  // see Pending
                }
                return ERROR_SEM_TIMEOUT;
            }
        }
        if (!GetOverlappedResult(file, &request->overlapped, &bytes, FALSE)) return GetLastError();
        returned = std::min<uint32_t>(bytes, uint32_t(request->out.size()));
        if (returned) std::memcpy(out, request->out.data(), returned);
        return 0;
    }

    uint64_t NowMs() override { return GetTickCount64(); }

    bool Properties(NodeKey by, const std::u16string& key, NodeProperties& out) override {
        std::u16string id = key;
        if (by == NodeKey::DriverKey) {
            if (driverKeys_.empty()) IndexDriverKeys();
            auto found = driverKeys_.find(Upper(key));
            if (found == driverKeys_.end()) return false;
            id = found->second;
        }
        DeviceInfoSet set(SetupDiCreateDeviceInfoList(nullptr, nullptr));
        SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        if (!set.Valid() || !SetupDiOpenDeviceInfoW(set.Get(), Wide(id), nullptr, 0, &data)) return false;
        out = NodeProperties{};
        out.instanceId = InstanceId(set.Get(), data);
        out.friendlyName = RegistryString(set.Get(), data, SPDRP_FRIENDLYNAME);
        out.description = RegistryString(set.Get(), data, SPDRP_DEVICEDESC);
        out.service = RegistryString(set.Get(), data, SPDRP_SERVICE);
        out.compatibleIds = RegistryStrings(set.Get(), data, SPDRP_COMPATIBLEIDS);
        out.driverProvider = StringProperty(set.Get(), data, DEVPKEY_Device_DriverProvider);
        out.driverVersion = StringProperty(set.Get(), data, DEVPKEY_Device_DriverVersion);
        out.driverDate = DateProperty(set.Get(), data, DEVPKEY_Device_DriverDate);
        DEVINST node = 0;
        ULONG status = 0, problem = 0;
        std::vector<wchar_t> mutableId(id.begin(), id.end());
        mutableId.push_back(L'\0');
        out.located = CM_Locate_DevNodeW(&node, mutableId.data(), CM_LOCATE_DEVNODE_NORMAL) == CR_SUCCESS &&
                      CM_Get_DevNode_Status(&status, &problem, node, 0) == CR_SUCCESS;
        out.status = out.located ? status : 0;
        out.problem = out.located ? problem : 0;
        return true;
    }

private:
    static std::u16string Upper(std::u16string text) {
        for (char16_t& c : text) c = c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
        return text;
    }

    // Driver key -> instance id of every present device, once per pass.
    void IndexDriverKeys() {
        DeviceInfoSet set(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT));
        if (!set.Valid()) return;
        SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        for (DWORD i = 0; SetupDiEnumDeviceInfo(set.Get(), i, &data); ++i) {
            std::u16string key = RegistryString(set.Get(), data, SPDRP_DRIVER);
            if (!key.empty()) driverKeys_.emplace(Upper(key), InstanceId(set.Get(), data));
        }
    }

    std::map<std::u16string, std::u16string> driverKeys_;
};

}  // namespace

std::unique_ptr<UsbSystem> MakeRealSystem() { return std::make_unique<RealUsbSystem>(); }

}  // namespace linsett::usb
