// Libraries loaded at run time, always by a full path. A bare name makes
// Windows look in the program's own folder (and the current folder) before
// the system folder, and libraries outside the protected "known" set are
// taken from there: a file of that name planted beside setup.exe would run
// with the setup's rights.
#pragma once
#include "base/bounded_format.h"
#include "base/win.h"

namespace kv {

// "<system folder>\<name>". False (and `path` empty) when the system folder
// cannot be read, the name is not a bare file name, or the path does not fit.
bool systemLibraryPath(const char* name, char (&path)[kPathCapacity]);

// The system's own library of that name, from the system folder; null when
// its path does not fit or it does not load. Release it with FreeLibrary
// (UniqueModule).
HMODULE loadSystemLibrary(const char* name);

// A library by its path, made full first; a bare name, which Windows would
// search for, is refused (null). The libraries it imports are looked for in
// its own folder first, not in the program's.
HMODULE loadLibraryByFullPath(const char* path);

}  // namespace kv
