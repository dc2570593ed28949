// Path rules of the removal, on byte strings in the ANSI code page. No
// Windows call: the caller passes the code page's lead bytes, so a trail
// byte is never taken for a letter or a separator.
#pragma once
#include <cstddef>

namespace kv {

using LeadBytePredicate = bool (*)(unsigned char byte);

// Same path, ignoring ASCII case, runs of "\" taken as one and a trailing
// "\" (the engine joins with one "\" and never normalises, so a folder
// given with a trailing "\" leaves doubled separators in what it records).
bool samePath(const char* a, std::size_t aLength, const char* b, LeadBytePredicate isLead);
inline bool samePath(const char* a, const char* b, LeadBytePredicate isLead) {
    std::size_t n = 0;
    while (a[n]) ++n;
    return samePath(a, n, b, isLead);
}

// `path` lies strictly below `folder` (not the folder itself).
bool pathIsBelow(const char* path, std::size_t length, const char* folder, LeadBytePredicate isLead);

// A full local path we may act on: a drive letter, a colon and a "\", no
// "." or ".." component, no "/", no wildcard, no control byte.
bool pathIsPlainAbsolute(const char* path, std::size_t length, LeadBytePredicate isLead);

// A drive root such as "C:" or "C:\".
bool pathIsDriveRoot(const char* path, std::size_t length);

// The program a command starts: the text inside a leading pair of double
// quotes, else the whole command (the engine writes program paths with
// blanks unquoted and without arguments). Returns its length and start.
std::size_t commandProgram(const char* command, const char** program);

}  // namespace kv
