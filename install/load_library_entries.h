// Loads a library by path and resolves a list of its named entry points.
#pragma once
#include "base/proc_address.h"
#include "base/unique_handle.h"

#include <cstddef>

namespace kv {

struct LibraryEntry {
    const char* name;
    FARPROC address = nullptr;
};

// `path` must be a path: a bare name loads nothing, as its search would try
// the program's folder first.
// Stores the loaded library in `module` (empty when loading failed; then 0 is
// returned). Looks the entries up in order and stores each address; stops
// with 0 at the first name that is missing (earlier addresses stay stored
// and the library stays loaded in `module`). 1 when every entry was found.
int LoadLibraryEntries(UniqueModule& module, const char* path, LibraryEntry* entries,
                       std::size_t count);

template <std::size_t N>
int LoadLibraryEntries(UniqueModule& module, const char* path, LibraryEntry (&entries)[N]) {
    return LoadLibraryEntries(module, path, entries, N);
}

// An entry's address typed as the entry's real signature.
template <typename Fn>
Fn entryAs(const LibraryEntry& entry) {
    return typedEntry<Fn>(entry.address);
}

}  // namespace kv
