// The lead-byte test of the running system's ANSI code page, apart from the
// pure text rules so that those build and are fuzzed on the build machine.
#include "base/win.h"
#include "common/multibyte_text.h"

namespace kv {

bool isAnsiLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

}  // namespace kv
