#include "install/usb_filter_removal.h"

#include "base/bounded_format.h"
#include "base/system_library.h"
#include "base/win.h"
#include "install/install_state.h"
#include "common/multibyte_text.h"
#include "install/load_library_entries.h"
#include "common/registry_key.h"

#include <cstring>

namespace kv {
namespace {

// The Windows USB device interface class.
const GUID kUsbDeviceInterfaceClass = {
    0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

constexpr char kFilterDriverName[] = "kvfltsys.sys";
constexpr char kDeviceClassesKey[] = "System\\CurrentControlSet\\Control\\DeviceClasses\\";
constexpr int kExaminedInterfaces = 128;
constexpr DWORD kPresentDeviceInterfaces = 0x12;  // DIGCF_PRESENT | DIGCF_DEVICEINTERFACE

// The Setup API records in their published 32-bit layouts.
struct DeviceInterfaceData {
    DWORD cbSize;
    GUID interfaceClassGuid;
    DWORD flags;
    ULONG_PTR reserved;
};
static_assert(sizeof(DeviceInterfaceData) == 28, "32-bit interface data record");
constexpr DWORD kDetailRecordSize = 5;  // DWORD size field and a one-byte path start
constexpr DWORD kDetailBufferSize = 256;
constexpr std::size_t kDevicePathOffset = sizeof(DWORD);

using DeviceInfoSet = HANDLE;
using GetClassDevsFn = DeviceInfoSet(WINAPI*)(const GUID*, const char*, HWND, DWORD);
using EnumDeviceInterfacesFn = BOOL(WINAPI*)(DeviceInfoSet, void*, const GUID*, DWORD,
                                             DeviceInterfaceData*);
using GetDeviceInterfaceDetailFn = BOOL(WINAPI*)(DeviceInfoSet, DeviceInterfaceData*, void*,
                                                 DWORD, DWORD*, void*);
using DestroyDeviceInfoListFn = BOOL(WINAPI*)(DeviceInfoSet);

enum SetupApiEntry { kDestroyList, kGetDetail, kEnumInterfaces, kGetClassDevs };

bool guidText(const GUID& guid, char (&text)[64]) {
    return formatInto(text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                      static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3,
                      guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                      guid.Data4[5], guid.Data4[6], guid.Data4[7]);
}

// "\\.\" starts a device path of the 95 family; its key below the class
// entry begins with "##.#" instead. Other forms are not handled.
bool editDevicePath(char* path) {
    if (std::strncmp(path, "\\\\.\\", 4) != 0) return false;
    std::memcpy(path, "##.#", 4);
    return true;
}

// Returns 1 when the device's "LowerFilters" starts with the filter driver.
int removeFilterOfDevice(const char* guid, const char* keyName) {
    RegistryKey key;
    key.SetRoot(HKEY_LOCAL_MACHINE);
    char classEntry[512];
    if (!formatInto(classEntry, "%s%s\\%s", kDeviceClassesKey, guid, keyName) ||
        !key.Open(classEntry, false))
        return 0;
    const String instance = key.ReadString("DeviceInstance", "");
    if (instance.empty()) return 0;
    char hardwareKey[512];
    if (!formatInto(hardwareKey, "Enum\\%s", instance.c_str()) || !key.Open(hardwareKey, false))
        return 0;

    BYTE filters[260] = {};  // zero-filled, so the first string always ends
    if (key.ReadValueBytes("LowerFilters", filters) == 0) return 0;
    const String first = lowerCaseMultibyte(reinterpret_cast<const char*>(filters));
    if (first != kFilterDriverName) return 0;
    key.DeleteValue("LowerFilters");  // the whole list goes, whatever else it holds
    return 1;
}

}  // namespace

int RemoveUsbLowerFilter() {
    if (!installState.is95Family()) return 0;

    UniqueModule library;
    LibraryEntry entries[] = {{"SetupDiDestroyDeviceInfoList"},
                              {"SetupDiGetDeviceInterfaceDetailA"},
                              {"SetupDiEnumDeviceInterfaces"},
                              {"SetupDiGetClassDevsA"}};
    char libraryPath[kPathCapacity];
    if (!systemLibraryPath("SETUPAPI.DLL", libraryPath)) return 0;  // the system's, never one beside us
    LoadLibraryEntries(library, libraryPath, entries);
    for (const LibraryEntry& entry : entries)
        if (entry.address == nullptr) return 0;  // the library goes with `library`
    const auto destroyList = entryAs<DestroyDeviceInfoListFn>(entries[kDestroyList]);
    const auto getDetail = entryAs<GetDeviceInterfaceDetailFn>(entries[kGetDetail]);
    const auto enumInterfaces = entryAs<EnumDeviceInterfacesFn>(entries[kEnumInterfaces]);
    const auto getClassDevs = entryAs<GetClassDevsFn>(entries[kGetClassDevs]);

    char guid[64];
    if (!guidText(kUsbDeviceInterfaceClass, guid)) return 0;
    const DeviceInfoSet devices =
        getClassDevs(&kUsbDeviceInterfaceClass, nullptr, nullptr, kPresentDeviceInterfaces);
    // Without a device set there is nothing to walk and nothing to destroy.
    if (devices == INVALID_HANDLE_VALUE || devices == nullptr) return 0;

    int result = 0;
    for (int index = 0; index < kExaminedInterfaces; ++index) {
        DeviceInterfaceData interfaceData = {};
        interfaceData.cbSize = sizeof(interfaceData);
        if (!enumInterfaces(devices, nullptr, &kUsbDeviceInterfaceClass,
                            static_cast<DWORD>(index), &interfaceData))
            continue;
        BYTE detail[kDetailBufferSize] = {};
        std::memcpy(detail, &kDetailRecordSize, sizeof(kDetailRecordSize));
        DWORD required = 0;
        if (!getDetail(devices, &interfaceData, detail, kDetailBufferSize, &required, nullptr))
            continue;
        detail[kDetailBufferSize - 1] = 0;
        char* devicePath = reinterpret_cast<char*>(detail + kDevicePathOffset);
        if (!editDevicePath(devicePath)) continue;
        if (removeFilterOfDevice(guid, devicePath)) result = 1;
    }
    destroyList(devices);
    return result;
}

}  // namespace kv
