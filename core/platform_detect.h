// Reads the running system's version facts and sets the platform flags.
#pragma once
#include "core/platform_info.h"

namespace kv {

bool readPlatformInfo(PlatformInfo& info);
// "ProductType" of the NT product options as a kind; false when unreadable.
bool readProductType(int& kind);
// Whether the NT product suite list holds `word` (case-insensitive substring).
bool hasProductSuite(const char* word);
// Sets at most one platform flag of the install state.
void classifyPlatform(const PlatformInfo& info);
// Clears the flags, detects the platform, then the default language.
void detectPlatformAndLanguage();

}  // namespace kv
