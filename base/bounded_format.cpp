#include "base/bounded_format.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace kv {

bool formatBounded(char* out, std::size_t capacity, const char* format, ...) {
    if (out == nullptr || capacity == 0) return false;
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(out, capacity, format, args);
    va_end(args);
    if (written < 0 || static_cast<std::size_t>(written) >= capacity) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool copyBounded(char* out, std::size_t capacity, const char* text) {
    if (out == nullptr || capacity == 0) return false;
    if (text == nullptr) text = "";
    const std::size_t length = std::strlen(text);
    if (length >= capacity) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, text, length + 1);
    return true;
}

bool appendBounded(char* out, std::size_t capacity, const char* text) {
    if (out == nullptr || capacity == 0) return false;
    if (text == nullptr) text = "";
    const std::size_t have = strnlen(out, capacity);
    const std::size_t length = std::strlen(text);
    if (have >= capacity || have + length >= capacity) return false;
    std::memcpy(out + have, text, length + 1);
    return true;
}

std::size_t characterBoundary(const char* text, std::size_t length, std::size_t limit,
                              bool (*isLead)(unsigned char byte)) {
    if (length <= limit) return length;
    std::size_t end = 0;
    while (end < limit) {
        const std::size_t step = isLead(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + step > limit) break;
        end += step;
    }
    return end;
}

}  // namespace kv
