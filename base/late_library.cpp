#include "base/late_library.h"

#include "base/system_library.h"
#include "base/unique_handle.h"

namespace kv {
namespace {

const char* const kLibraryNames[] = {"SHELL32.DLL", "OLE32.DLL", "COMCTL32.DLL"};

// Loaded on the user-interface thread only; freed when the engine unloads.
UniqueModule lateModules[sizeof(kLibraryNames) / sizeof(kLibraryNames[0])];

}  // namespace

bool loadLateLibrary(LateLibrary library) {
    const int index = static_cast<int>(library);
    UniqueModule& module = lateModules[index];
    // From the system folder only, never from the launcher's folder.
    if (!module) module.reset(loadSystemLibrary(kLibraryNames[index]));
    return module.valid();
}

FARPROC lateEntry(LateLibrary library, const char* name) {
    if (!loadLateLibrary(library)) return nullptr;
    return ::GetProcAddress(lateModules[static_cast<int>(library)].get(), name);
}

}  // namespace kv
