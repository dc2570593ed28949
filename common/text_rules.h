// Rules for texts that come from package files. Such a text is never used as
// a printf format: its one string placeholder is filled in literally.
#pragma once
#include "base/heap_string.h"

namespace kv {

// The first "%P" of a text becomes "%s" (where the display name goes).
void applyPlaceholderRule(char* text);

// Copies `text`, replacing its first "%s" by `argument` as it stands and
// "%%" by "%". Every other "%" sequence, a second "%s" included, is kept.
String fillStringPlaceholder(const char* text, const char* argument);

}  // namespace kv
