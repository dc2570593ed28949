#include "install/quote_path.h"

#include "base/bounded_format.h"

#include <cstring>

namespace kv {

bool QuotePath(char* path, bool add) {
    if (path == nullptr) return false;
    const std::size_t length = strnlen(path, kPathCapacity);
    if (length >= kPathCapacity) return false;  // not a path of this buffer size

    if (add) {
        if (path[0] == '"' || std::strchr(path, ' ') == nullptr) return true;
        if (length + 3 > kPathCapacity) return false;  // two quotes and the terminator
        std::memmove(path + 1, path, length);
        path[0] = '"';
        path[length + 1] = '"';
        path[length + 2] = '\0';
        return true;
    }

    if (path[0] != '"') return true;
    std::memmove(path, path + 1, length);  // the text after the quote and its terminator
    const std::size_t rest = length - 1;
    if (rest > 0 && path[rest - 1] == '"') path[rest - 1] = '\0';
    return true;
}

}  // namespace kv
