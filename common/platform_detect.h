// Reads the running system's version facts and tells its platform.
#pragma once
#include "common/platform_info.h"

namespace kv {

bool readPlatformInfo(PlatformInfo& info);
// "ProductType" of the NT product options as a kind; false when unreadable.
bool readProductType(int& kind);
// Whether the NT product suite list holds `word` (case-insensitive substring).
bool hasProductSuite(const char* word);
// The running system's platform; None when its facts cannot be read.
PlatformFlag detectPlatform();

}  // namespace kv
