#pragma once
#include "base/win.h"

namespace kv {

// Puts `face` (null: none) into the font description's face name, cut to the
// field on a character boundary of the ANSI code page and terminated.
void copyFaceName(LOGFONTA& font, const char* face);

}  // namespace kv
