// Functions of system libraries that the first page does not need (the
// shell's folder browser and link objects, COM, the common controls of the
// progress dialog). Their library is loaded at
// the first call that needs it rather than with the engine, which shortens
// the start; it stays loaded until the engine is unloaded.
#pragma once
#include "base/proc_address.h"

namespace kv {

enum class LateLibrary { Shell32, Ole32, Comctl32 };

// Loads the library from the system folder if it is not loaded yet; false
// when it cannot be. Done before the system itself would load it by bare
// name (COM loads the shell-link server so), which then finds this one.
bool loadLateLibrary(LateLibrary library);

// The entry, loading its library first if need be; null when the library
// or the entry is missing.
FARPROC lateEntry(LateLibrary library, const char* name);

// lateFunction<decltype(::SHBrowseForFolderA)>(LateLibrary::Shell32, "SHBrowseForFolderA")
// gives the entry typed as the declared function, without referring to its
// import (which would make the library load with the engine again).
template <typename Function>
Function* lateFunction(LateLibrary library, const char* name) {
    return typedEntry<Function*>(lateEntry(library, name));
}

}  // namespace kv
