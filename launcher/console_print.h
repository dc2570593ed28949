// printf to the launcher's standard output or error when that is a file or
// pipe, written straight to the handle (the launcher links no C runtime).
// Line ends go out as CR LF, as a text-mode C stream writes them.
#pragma once
#include "base/win.h"

namespace kv {

// True when the handle is a file or a pipe: a GUI program has no console,
// and prints only to where a script or test reads.
bool standardHandleRedirected(DWORD stdHandle);

void printTo(DWORD stdHandle, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace kv
