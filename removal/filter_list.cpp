#include "removal/filter_list.h"

namespace kv {
namespace {

// The driver's file name and its service name.
bool namesFilterDriver(const char* entry, std::size_t length) {
    static const char* const kNames[] = {"kvfltsys.sys", "kvfltsys"};
    for (const char* name : kNames) {
        std::size_t i = 0;
        for (; i < length && name[i]; ++i) {
            char c = entry[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != name[i]) break;
        }
        if (i == length && name[i] == 0) return true;
    }
    return false;
}

}  // namespace

FilterEdit removeFilterDriver(const char* list, std::size_t size, char* out, std::size_t capacity,
                              std::size_t* outSize) {
    *outSize = 0;
    std::size_t written = 0;
    bool removed = false, overflow = false;
    std::size_t kept = 0;
    std::size_t at = 0;
    while (at < size && list[at] != 0) {
        std::size_t end = at;
        while (end < size && list[end] != 0) ++end;
        const std::size_t length = end - at;
        if (namesFilterDriver(list + at, length)) {
            removed = true;
        } else if (overflow || written + length + 1 > capacity) {
            overflow = true;  // still looked through: is the driver named?
        } else {
            for (std::size_t i = 0; i < length; ++i) out[written++] = list[at + i];
            out[written++] = 0;
            ++kept;
        }
        at = end + 1;
    }
    if (!removed) return FilterEdit::Unchanged;
    if (overflow || (kept > 0 && written + 1 > capacity)) return FilterEdit::NoRoom;
    if (kept == 0) return FilterEdit::Emptied;
    out[written++] = 0;
    *outSize = written;
    return FilterEdit::Edited;
}

}  // namespace kv
