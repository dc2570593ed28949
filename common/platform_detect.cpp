#include "common/platform_detect.h"

#include "base/proc_address.h"
#include "base/unique_handle.h"
#include "common/multibyte_text.h"

#include "base/heap_string.h"

#include <cstring>
#include <memory>
#include <new>

namespace kv {
namespace {

const char kProductOptionsKey[] = "System\\CurrentControlSet\\Control\\ProductOptions";

using GetVersionExAFn = BOOL(WINAPI*)(OSVERSIONINFOA*);

bool is95FamilyByGetVersion() { return (::GetVersion() & 0x80000000u) != 0; }

}  // namespace

bool readProductType(int& kind) {
    UniqueRegKey key;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, kProductOptionsKey, key.put()) != ERROR_SUCCESS)
        return false;
    char value[100] = {};
    DWORD size = sizeof(value) - 1;  // keep room for a terminator the value may lack
    DWORD type = 0;
    if (::RegQueryValueExA(key.get(), "ProductType", nullptr, &type,
                           reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
        return false;
    return productTypeKind(value, kind);
}

bool hasProductSuite(const char* word) {
    if (word == nullptr || is95FamilyByGetVersion()) return false;
    UniqueRegKey key;
    if (::RegOpenKeyA(HKEY_LOCAL_MACHINE, kProductOptionsKey, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    DWORD type = 0;
    if (::RegQueryValueExA(key.get(), "ProductSuite", nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0)
        return false;
    // Two spare terminators, so a list that lacks its final ones still ends.
    std::unique_ptr<char[]> list(new (std::nothrow) char[size + 2]());
    if (!list) return false;
    if (::RegQueryValueExA(key.get(), "ProductSuite", nullptr, &type,
                           reinterpret_cast<BYTE*>(list.get()), &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return false;
    const String wanted = upperCaseMultibyte(word);
    const char* end = list.get() + size;
    for (const char* entry = list.get(); entry < end && *entry; entry += std::strlen(entry) + 1) {
        if (containsMultibyte(upperCaseMultibyte(entry).c_str(), wanted.c_str())) return true;
    }
    return false;
}

bool readPlatformInfo(PlatformInfo& info) {
    info = PlatformInfo{};
    HMODULE kernel = ::GetModuleHandleA("KERNEL32.DLL");
    if (kernel == nullptr) return false;
    auto getVersionEx =
        procAddress<GetVersionExAFn>(kernel, "GetVersionExA");
    if (getVersionEx == nullptr) {
        const DWORD packed = ::GetVersion();
        info.majorVersion = packed & 0xFF;
        info.minorVersion = (packed >> 8) & 0xFF;
        info.buildNumber = 0;
        int kind = kPlatformNtWorkstation;
        if (!readProductType(kind)) return false;
        info.platformKind = kind;
        return true;
    }
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);  // 148 bytes
    if (!getVersionEx(&version)) return false;
    info.majorVersion = version.dwMajorVersion;
    info.minorVersion = version.dwMinorVersion;
    info.buildNumber = version.dwBuildNumber & 0xFFFF;
    int kind = 0;
    if (!platformKindForId(version.dwPlatformId, kind)) return false;
    info.platformKind = kind;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (hasProductSuite("Terminal Server")) {
            info.terminalServer = true;
        } else if (hasProductSuite("Enterprise")) {
            info.platformKind = kPlatformNtEnterprise;
        } else if (readProductType(kind)) {
            info.platformKind = kind;
        }
    }
    return true;
}

PlatformFlag detectPlatform() {
    PlatformInfo info;
    return readPlatformInfo(info) ? classifyPlatform(info) : PlatformFlag::None;
}

}  // namespace kv
