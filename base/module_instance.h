#pragma once
#include "base/win.h"

namespace kv {

// The module whose resources (templates, bitmap, icon, clip) the setup uses:
// the DLL when loaded as one, otherwise the executable it is linked into.
HINSTANCE moduleInstance();
void setModuleInstance(HINSTANCE instance);

}  // namespace kv
