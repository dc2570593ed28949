#include "base/system_library.h"

#include <cstring>

namespace kv {
namespace {

bool isBareFileName(const char* name) {
    return name != nullptr && *name != '\0' && std::strchr(name, '\\') == nullptr &&
           std::strchr(name, '/') == nullptr && std::strchr(name, ':') == nullptr;
}

}  // namespace

bool systemLibraryPath(const char* name, char (&path)[kPathCapacity]) {
    path[0] = '\0';
    if (!isBareFileName(name)) return false;
    char folder[kPathCapacity];
    const UINT length = ::GetSystemDirectoryA(folder, sizeof(folder));
    if (length == 0 || length >= sizeof(folder)) return false;
    return formatInto(path, "%s\\%s", folder, name);
}

HMODULE loadSystemLibrary(const char* name) {
    char path[kPathCapacity];
    return systemLibraryPath(name, path) ? loadLibraryByFullPath(path) : nullptr;
}

HMODULE loadLibraryByFullPath(const char* path) {
    // Only a bare name is searched for; a path is made full, which the flag
    // below needs.
    if (path == nullptr || isBareFileName(path)) return nullptr;
    char fullPath[kPathCapacity];
    char* namePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path, sizeof(fullPath), fullPath, &namePart);
    if (length == 0 || length >= sizeof(fullPath)) return nullptr;
    HMODULE module = ::LoadLibraryExA(fullPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    // A system that does not know the flag still gets the library itself by
    // its full path; any other failure (a missing import among them) is not
    // retried with the program's folder searched first.
    if (module == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER)
        module = ::LoadLibraryA(fullPath);
    return module;
}

}  // namespace kv
