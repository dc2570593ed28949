// Creates a folder together with every missing folder above it.
#pragma once

namespace kv {

// With pathNamesFile true the last component of `path` is a file name and is
// not created. Returns 1 when the folder (the whole path, or the file's
// folder) exists afterwards, else 0. Separators are found double-byte-aware,
// so a trail byte equal to '\' never splits a name. A path of 260 bytes or
// more (terminator included) is refused with 0.
int CreateDirectoryTree(const char* path, bool pathNamesFile);

// Whether `path` names an existing folder.
bool folderExists(const char* path);

}  // namespace kv
