// A reinstall into the same folder replaces the uninstall log. What the
// earlier installation recorded and is still there (another program folder,
// shortcuts of another name, files of another language) would then be left
// behind by the uninstaller, so the new log starts with those records.
#pragma once
#include "base/heap_vector.h"
#include "common/uninstall_log.h"

#include <cstdint>

namespace kv {

class EarlierLog {
public:
    // Reads the log at `path` before it is replaced; a missing or damaged
    // log carries nothing.
    void read(const char* path);
    // Appends to `log` each earlier record whose item still exists. False
    // when a write failed.
    bool carryInto(UninstallLogFile& log) const;

private:
    Vector<std::uint8_t> bytes_;
};

}  // namespace kv
