#include "base/late_library.h"

#include "base/unique_handle.h"

namespace kv {
namespace {

const char* const kLibraryNames[] = {"SHELL32.DLL", "OLE32.DLL", "COMCTL32.DLL"};

// Loaded on the user-interface thread only; freed when the engine unloads.
UniqueModule lateModules[sizeof(kLibraryNames) / sizeof(kLibraryNames[0])];

}  // namespace

FARPROC lateEntry(LateLibrary library, const char* name) {
    const int index = static_cast<int>(library);
    UniqueModule& module = lateModules[index];
    if (!module) module.reset(::LoadLibraryA(kLibraryNames[index]));
    return module ? ::GetProcAddress(module.get(), name) : nullptr;
}

}  // namespace kv
