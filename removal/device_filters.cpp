#include "removal/device_filters.h"

#include "base/bounded_format.h"
#include "base/heap_vector.h"
#include "base/proc_address.h"
#include "base/system_library.h"
#include "base/unique_handle.h"
#include "removal/filter_list.h"

namespace kv {
namespace {

constexpr DWORD kAllClasses = 0x4;      // DIGCF_ALLCLASSES: present or not
constexpr DWORD kLowerFilters = 0x12;   // SPDRP_LOWERFILTERS
constexpr DWORD kMultiString = 7;       // REG_MULTI_SZ
constexpr DWORD kFirstFilterList = 1024;
constexpr DWORD kLargestFilterList = 65536;
constexpr DWORD kMostDevices = 4096;  // an enumeration that never ends still does

// SP_DEVINFO_DATA in its published 32-bit layout.
struct DeviceInfoData {
    DWORD cbSize;
    GUID classGuid;
    DWORD devInst;
    ULONG_PTR reserved;
};
static_assert(sizeof(DeviceInfoData) == 28, "32-bit device record");

using GetClassDevsFn = HANDLE(WINAPI*)(const GUID*, const char*, HWND, DWORD);
using EnumDeviceInfoFn = BOOL(WINAPI*)(HANDLE, DWORD, DeviceInfoData*);
using GetPropertyFn = BOOL(WINAPI*)(HANDLE, DeviceInfoData*, DWORD, DWORD*, BYTE*, DWORD, DWORD*);
using SetPropertyFn = BOOL(WINAPI*)(HANDLE, DeviceInfoData*, DWORD, const BYTE*, DWORD);
using DestroyListFn = BOOL(WINAPI*)(HANDLE);

// `count` zero bytes.
bool zeroed(Vector<char>& buffer, std::size_t count) {
    if (!buffer.reserve(count)) return false;
    while (buffer.size() < count)
        if (!buffer.push_back(0)) return false;
    for (std::size_t i = 0; i < count; ++i) buffer[i] = 0;
    return true;
}

enum class Read { Listed, NoFilters, Failed };

// The device's lower filters into `list` (two zeros beyond `*size`, so a
// list without its last terminator still ends), grown once when the
// property says it needs more.
Read readFilters(GetPropertyFn getProperty, HANDLE devices, DeviceInfoData& device, Vector<char>& list,
                 DWORD* size) {
    DWORD capacity = kFirstFilterList;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!zeroed(list, capacity + 2)) return Read::Failed;
        DWORD type = 0, needed = 0;
        if (getProperty(devices, &device, kLowerFilters, &type, reinterpret_cast<BYTE*>(&list[0]), capacity,
                        &needed)) {
            *size = needed <= capacity ? needed : capacity;
            // A list of another type is no list of filters to the system.
            return type == kMultiString ? Read::Listed : Read::NoFilters;
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_INVALID_DATA) return Read::NoFilters;  // the device has no such property
        if (error != ERROR_INSUFFICIENT_BUFFER || needed <= capacity || needed > kLargestFilterList)
            return Read::Failed;
        capacity = needed;
    }
    return Read::Failed;
}

DeviceFilterResult removeThroughDeviceProperties() {
    DeviceFilterResult result;
    UniqueModule library(loadSystemLibrary("SETUPAPI.DLL"));
    const auto getClassDevs = procAddress<GetClassDevsFn>(library.get(), "SetupDiGetClassDevsA");
    const auto enumDevices = procAddress<EnumDeviceInfoFn>(library.get(), "SetupDiEnumDeviceInfo");
    const auto getProperty = procAddress<GetPropertyFn>(library.get(), "SetupDiGetDeviceRegistryPropertyA");
    const auto setProperty = procAddress<SetPropertyFn>(library.get(), "SetupDiSetDeviceRegistryPropertyA");
    const auto destroyList = procAddress<DestroyListFn>(library.get(), "SetupDiDestroyDeviceInfoList");
    if (!getClassDevs || !enumDevices || !getProperty || !setProperty || !destroyList) {
        result.doubt = "the Setup API is missing";
        return result;
    }

    const HANDLE devices = getClassDevs(nullptr, nullptr, nullptr, kAllClasses);
    if (devices == INVALID_HANDLE_VALUE || devices == nullptr) {
        result.doubt = "the list of devices cannot be read";
        return result;
    }
    Vector<char> filters, kept;
    DWORD index = 0;
    for (; index < kMostDevices; ++index) {
        DeviceInfoData device = {};
        device.cbSize = sizeof(device);
        if (!enumDevices(devices, index, &device)) {
            if (::GetLastError() == ERROR_NO_MORE_ITEMS) break;
            result.doubt = "a device cannot be read";
            continue;
        }
        DWORD size = 0;
        const Read read = readFilters(getProperty, devices, device, filters, &size);
        if (read == Read::NoFilters) continue;
        std::size_t keptSize = 0;
        const FilterEdit edit = read == Read::Failed || !zeroed(kept, size + 2)
                                    ? FilterEdit::NoRoom
                                    : removeFilterDriver(&filters[0], size, &kept[0], size + 2, &keptSize);
        if (edit == FilterEdit::Unchanged) continue;
        if (edit == FilterEdit::NoRoom) {
            result.doubt = "a device's lower filters cannot be read";
            continue;
        }
        // A null list deletes the property.
        const bool done = edit == FilterEdit::Emptied
                              ? setProperty(devices, &device, kLowerFilters, nullptr, 0)
                              : setProperty(devices, &device, kLowerFilters, reinterpret_cast<const BYTE*>(&kept[0]),
                                            static_cast<DWORD>(keptSize));
        if (done)
            ++result.changed;
        else
            result.doubt = "a device's lower filters cannot be changed";
    }
    if (index == kMostDevices) result.doubt = "the list of devices does not end";
    destroyList(devices);
    return result;
}

}  // namespace

DeviceFilterResult removeFilterDriverFromDevices(FilterPlatform platform, int (*usbWalk95)()) {
    DeviceFilterResult result;
    switch (platform) {
        case FilterPlatform::Family95:
            if (usbWalk95 != nullptr)
                result.changed = usbWalk95();
            else
                result.doubt = "the USB devices cannot be walked";
            break;
        case FilterPlatform::Nt5: return removeThroughDeviceProperties();
        case FilterPlatform::Nt4: break;
    }
    return result;
}

}  // namespace kv
