// Test double for the Windows Setup API library (setupapi.dll), as far as
// the USB filter removal uses it. It serves the device interfaces that a
// test lists in a file and records every call, so a test can see which
// interface indices were asked for and that the library was loaded at all.
//
// KV_SETUPAPI_DEVICES  file with one line per interface index:
//                        -        enumeration fails at this index
//                        !<path>  enumeration succeeds, the detail fails
//                        <path>   the device path of the interface
//                      indices past the last line fail (no more items)
// KV_SETUPAPI_NO_SET   "1": SetupDiGetClassDevsA fails (INVALID_HANDLE_VALUE)
// KV_DOUBLE_LOG        record file, one line per event:
//                        setupapi load | setupapi unload
//                        classdevs guid=<{...}> enumerator=<null|text> window=<null|nonzero> flags=0x<hex>
//                        enum <index> size=<cbSize>
//                        detail <index> size=<cbSize> buffer=<size>
//                        destroy <valid|invalid>

#include "../double_log.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct InterfaceData {  // published 32-bit layout, 28 bytes
    DWORD cbSize;
    GUID interfaceClassGuid;
    DWORD flags;
    ULONG_PTR reserved;
};

HANDLE const kDeviceSet = reinterpret_cast<HANDLE>(0x5E70);
constexpr int kMaxInterfaces = 512;
constexpr int kMaxPath = 300;

struct Interface {
    bool enumerates;
    bool detailFails;
    char path[kMaxPath];
};

Interface interfaces[kMaxInterfaces];
int interfaceCount = 0;

void loadInterfaces() {
    interfaceCount = 0;
    char listPath[MAX_PATH];
    if (!kvdouble::readEnv("KV_SETUPAPI_DEVICES", listPath, sizeof(listPath))) return;
    FILE* list = std::fopen(listPath, "rb");
    if (list == nullptr) return;
    char line[kMaxPath + 4];
    while (interfaceCount < kMaxInterfaces && std::fgets(line, sizeof(line), list)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        Interface& entry = interfaces[interfaceCount++];
        entry.enumerates = std::strcmp(line, "-") != 0;
        entry.detailFails = line[0] == '!';
        std::snprintf(entry.path, sizeof(entry.path), "%s", entry.detailFails ? line + 1 : line);
    }
    std::fclose(list);
}

void record(const char* line) { kvdouble::appendRecord(line); }

}  // namespace

extern "C" {

HANDLE __stdcall SetupDiGetClassDevsA(const GUID* guid, const char* enumerator, HWND window,
                                      DWORD flags) {
    char text[256];
    std::snprintf(text, sizeof(text),
                  "classdevs guid={%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X} "
                  "enumerator=%s window=%s flags=0x%lX",
                  guid ? guid->Data1 : 0ul, guid ? guid->Data2 : 0, guid ? guid->Data3 : 0,
                  guid ? guid->Data4[0] : 0, guid ? guid->Data4[1] : 0, guid ? guid->Data4[2] : 0,
                  guid ? guid->Data4[3] : 0, guid ? guid->Data4[4] : 0, guid ? guid->Data4[5] : 0,
                  guid ? guid->Data4[6] : 0, guid ? guid->Data4[7] : 0,
                  enumerator ? enumerator : "null", window ? "nonzero" : "null", flags);
    record(text);
    char noSet[8];
    if (kvdouble::readEnv("KV_SETUPAPI_NO_SET", noSet, sizeof(noSet)) && noSet[0] == '1') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    loadInterfaces();
    return kDeviceSet;
}

BOOL __stdcall SetupDiEnumDeviceInterfaces(HANDLE set, void* /*deviceData*/, const GUID* guid,
                                           DWORD index, InterfaceData* data) {
    char text[64];
    std::snprintf(text, sizeof(text), "enum %lu size=%lu", index, data ? data->cbSize : 0ul);
    record(text);
    if (set != kDeviceSet || data == nullptr || data->cbSize != sizeof(InterfaceData)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (static_cast<int>(index) >= interfaceCount || !interfaces[index].enumerates) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    if (guid) data->interfaceClassGuid = *guid;
    data->flags = 1;  // active
    data->reserved = index + 1;
    return TRUE;
}

BOOL __stdcall SetupDiGetDeviceInterfaceDetailA(HANDLE set, InterfaceData* data, void* detail,
                                                DWORD detailSize, DWORD* requiredSize,
                                                void* /*deviceData*/) {
    const DWORD index = data ? static_cast<DWORD>(data->reserved) - 1 : 0;
    DWORD detailRecordSize = 0;
    if (detail) std::memcpy(&detailRecordSize, detail, sizeof(detailRecordSize));
    char text[96];
    std::snprintf(text, sizeof(text), "detail %lu size=%lu buffer=%lu", index, detailRecordSize,
                  detailSize);
    record(text);
    if (set != kDeviceSet || data == nullptr || data->reserved == 0 ||
        static_cast<int>(index) >= interfaceCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const Interface& entry = interfaces[index];
    const DWORD needed = static_cast<DWORD>(sizeof(DWORD) + std::strlen(entry.path) + 1);
    if (requiredSize) *requiredSize = needed;
    if (entry.detailFails) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (detail == nullptr || detailRecordSize != 5) {
        SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (detailSize < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(static_cast<char*>(detail) + sizeof(DWORD), entry.path, std::strlen(entry.path) + 1);
    return TRUE;
}

BOOL __stdcall SetupDiDestroyDeviceInfoList(HANDLE set) {
    record(set == kDeviceSet ? "destroy valid" : "destroy invalid");
    return set == kDeviceSet;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) record("setupapi load");
    if (reason == DLL_PROCESS_DETACH) record("setupapi unload");
    return TRUE;
}

}  // extern "C"
