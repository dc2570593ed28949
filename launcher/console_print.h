// printf to the launcher's standard output or error, written straight to the
// handle (the launcher links no C runtime). Line ends go out as CR LF, as
// a text-mode C stream writes them.
#pragma once
#include "base/win.h"

namespace kv {

void printTo(DWORD stdHandle, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace kv
