// Functions of system libraries that the first page does not need (the
// shell's folder browser and link objects, COM, the common controls of the
// progress dialog). Their library is loaded at
// the first call that needs it rather than with the engine, which shortens
// the start; it stays loaded until the engine is unloaded.
#pragma once
#include "base/win.h"

namespace kv {

enum class LateLibrary { Shell32, Ole32, Comctl32 };

// The entry, loading its library first if need be; null when the library
// or the entry is missing.
FARPROC lateEntry(LateLibrary library, const char* name);

// lateFunction<decltype(::SHBrowseForFolderA)>(LateLibrary::Shell32, "SHBrowseForFolderA")
// gives the entry typed as the declared function, without referring to its
// import (which would make the library load with the engine again).
template <typename Function>
Function* lateFunction(LateLibrary library, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(lateEntry(library, name)));
}

}  // namespace kv
