#include "removal/device_filters.h"

#include "base/bounded_format.h"
#include "base/proc_address.h"
#include "base/system_library.h"
#include "base/unique_handle.h"
#include "removal/filter_list.h"

namespace kv {
namespace {

constexpr DWORD kAllClasses = 0x4;      // DIGCF_ALLCLASSES: present or not
constexpr DWORD kLowerFilters = 0x12;   // SPDRP_LOWERFILTERS
constexpr DWORD kMultiString = 7;       // REG_MULTI_SZ
constexpr DWORD kLargestFilterList = 1024;
constexpr DWORD kMostDevices = 4096;  // an enumeration that never ends still does

constexpr char kNotEdited[] = "a device cannot be edited";

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

// One device's list, as read (`size` bytes of `filters`), made to name the
// driver no more through `write(list, size)`, where a null list deletes the
// value. A change is counted; a list too long to edit, or a failed write,
// leaves doubt.
template <typename Write>
void editFilterList(const BYTE* filters, DWORD size, const Write& write, DeviceFilterResult& result) {
    char kept[kLargestFilterList + 2];
    std::size_t keptSize = 0;
    const FilterEdit edit =
        removeFilterDriver(reinterpret_cast<const char*>(filters), size, kept, sizeof(kept), &keptSize);
    if (edit == FilterEdit::Unchanged) return;
    const BYTE* list = edit == FilterEdit::Emptied ? nullptr : reinterpret_cast<const BYTE*>(kept);
    if (edit != FilterEdit::NoRoom && write(list, static_cast<DWORD>(keptSize)))
        ++result.changed;
    else
        result.doubt = kNotEdited;
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
        result.doubt = kNotEdited;
        return result;
    }
    DWORD index = 0;
    for (; index < kMostDevices; ++index) {
        DeviceInfoData device = {};
        device.cbSize = sizeof(device);
        if (!enumDevices(devices, index, &device)) {
            if (::GetLastError() == ERROR_NO_MORE_ITEMS) break;
            result.doubt = kNotEdited;
            continue;
        }
        // One more zero than the value holds, so a list without its last
        // terminator still ends.
        BYTE filters[kLargestFilterList + 2] = {};
        DWORD type = 0, size = 0;
        if (!getProperty(devices, &device, kLowerFilters, &type, filters, kLargestFilterList, &size)) {
            // No such property: no filters. A list longer than any real one
            // is not edited, and the driver stays.
            if (::GetLastError() != ERROR_INVALID_DATA) result.doubt = kNotEdited;
            continue;
        }
        // A list of another type is no list of filters to the system.
        if (type != kMultiString) continue;
        // A null list deletes the property.
        editFilterList(
            filters, size,
            [&](const BYTE* list, DWORD listSize) {
                return setProperty(devices, &device, kLowerFilters, list, listSize) != 0;
            },
            result);
    }
    if (index == kMostDevices) result.doubt = kNotEdited;
    destroyList(devices);
    return result;
}

// One device's key of the 95 family's hardware tree: its lower filters, as
// the value's own type holds them, edited in place.
void editDeviceKey(HKEY device, DeviceFilterResult& result) {
    BYTE filters[kLargestFilterList + 2] = {};
    DWORD type = 0, size = kLargestFilterList;
    const LONG status = ::RegQueryValueExA(device, "LowerFilters", nullptr, &type, filters, &size);
    if (status == ERROR_FILE_NOT_FOUND) return;
    if (status != ERROR_SUCCESS) {  // unread, a list over 1 KB among them
        result.doubt = kNotEdited;
        return;
    }
    editFilterList(
        filters, size,
        [&](const BYTE* list, DWORD listSize) {
            const LONG done = list == nullptr ? ::RegDeleteValueA(device, "LowerFilters")
                                              : ::RegSetValueExA(device, "LowerFilters", 0, type, list, listSize);
            return done == ERROR_SUCCESS;
        },
        result);
}

// Calls `visit` with each sub-key of `parent` (opened with `access`); false
// when the keys cannot be listed to their end.
template <typename Visit>
bool forEachSubKey(HKEY parent, REGSAM access, const Visit& visit) {
    for (DWORD index = 0; index < kMostDevices; ++index) {
        char name[MAX_PATH];
        const LONG status = ::RegEnumKeyA(parent, index, name, sizeof(name));
        if (status == ERROR_NO_MORE_ITEMS) return true;
        UniqueRegKey key;
        if (status != ERROR_SUCCESS || ::RegOpenKeyExA(parent, name, 0, access, key.put()) != ERROR_SUCCESS)
            return false;
        if (!visit(key.get())) return false;
    }
    return false;
}

// The 95 family keeps every device, of any bus, at HKLM\Enum\<bus>\<device>
// \<instance>: each list naming the driver is edited, wherever it names it.
DeviceFilterResult removeThroughEnumKeys() {
    DeviceFilterResult result;
    UniqueRegKey tree;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Enum", 0, KEY_READ, tree.put()) != ERROR_SUCCESS) return result;
    const bool whole = forEachSubKey(tree.get(), KEY_READ, [&](HKEY bus) {
        return forEachSubKey(bus, KEY_READ, [&](HKEY device) {
            return forEachSubKey(device, KEY_QUERY_VALUE | KEY_SET_VALUE, [&](HKEY instance) {
                editDeviceKey(instance, result);
                return true;
            });
        });
    });
    if (!whole) result.doubt = kNotEdited;
    return result;
}

}  // namespace

DeviceFilterResult removeFilterDriverFromDevices(FilterPlatform platform, int (*usbWalk95)()) {
    DeviceFilterResult result;
    switch (platform) {
        case FilterPlatform::Family95:
            // Every list first, other filters kept; then the install steps'
            // own walk of the USB devices, which finds none left.
            result = removeThroughEnumKeys();
            if (usbWalk95 != nullptr) result.changed += usbWalk95();
            break;
        case FilterPlatform::Nt5: return removeThroughDeviceProperties();
        case FilterPlatform::Nt4: break;
    }
    return result;
}

}  // namespace kv
