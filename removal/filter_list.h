// Edits a device's lower-filter list (a multi-string: texts each ended by a
// 0x00, the list by one more) so that it no longer names the filter driver,
// by file name or by service name. No Windows call.
#pragma once
#include <cstddef>

namespace kv {

enum class FilterEdit {
    Unchanged,  // the driver is not named
    Edited,     // `out` holds the other filters, in their order
    Emptied,    // the driver was the only filter: delete the value
    NoRoom,     // the driver is named, but the other filters do not fit `out`
};

// Reads `list` up to `size` bytes (a missing final terminator is tolerated),
// writes the kept entries as a multi-string into out[capacity]. A list with
// no entries is left Unchanged.
FilterEdit removeFilterDriver(const char* list, std::size_t size, char* out, std::size_t capacity,
                              std::size_t* outSize);

}  // namespace kv
