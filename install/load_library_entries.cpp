#include "install/load_library_entries.h"

namespace kv {

int LoadLibraryEntries(UniqueModule& module, const char* path, LibraryEntry* entries,
                       std::size_t count) {
    module.reset(path ? ::LoadLibraryA(path) : nullptr);
    if (!module) return 0;
    for (std::size_t i = 0; i < count; ++i) {
        entries[i].address = ::GetProcAddress(module.get(), entries[i].name);
        if (entries[i].address == nullptr) return 0;
    }
    return 1;
}

}  // namespace kv
