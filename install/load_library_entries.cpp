#include "install/load_library_entries.h"

#include "base/system_library.h"

namespace kv {

int LoadLibraryEntries(UniqueModule& module, const char* path, LibraryEntry* entries,
                       std::size_t count) {
    module.reset(loadLibraryByFullPath(path));  // a bare name is refused
    if (!module) return 0;
    for (std::size_t i = 0; i < count; ++i) {
        entries[i].address = ::GetProcAddress(module.get(), entries[i].name);
        if (entries[i].address == nullptr) return 0;
    }
    return 1;
}

}  // namespace kv
