// The administrator's log line for a registry value the installation writes.
#pragma once
#include "base/win.h"

namespace kv {

void reportRegistryWrite(HKEY root, const char* path, const char* name, const char* value, bool written);

}  // namespace kv
