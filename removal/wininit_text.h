// The [rename] section of WININIT.INI, which the 95 family works through at
// its next start: "NUL=<short path>" deletes that file. Several programs
// may have lines pending, under the same key "NUL", so the file is edited
// as text (the profile functions would replace an equal key). No Windows
// call.
#pragma once
#include <cstddef>

namespace kv {

// Writes into out[capacity] the file `text` (its `length` bytes) with
// `lines` (each "NUL=..." and CR LF) added at the end of its [rename]
// section, or in a new [rename] section at the end when it has none. Every
// other byte is kept. Returns the new length, or 0 when it does not fit.
std::size_t addWininitLines(const char* text, std::size_t length, const char* lines, std::size_t linesLength,
                            char* out, std::size_t capacity);

}  // namespace kv
