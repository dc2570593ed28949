// The C library's memory and string functions that the engine and the
// compiler's own generated code call. The shipped modules link no C runtime
// DLL: the first Windows 95 release does not have one.
#include <cstddef>

extern "C" {

void* memcpy(void* to, const void* from, std::size_t count) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    while (count--) *out++ = *in++;
    return to;
}

void* memmove(void* to, const void* from, std::size_t count) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    if (out < in) {
        while (count--) *out++ = *in++;
    } else {
        while (count--) out[count] = in[count];
    }
    return to;
}

void* memset(void* to, int value, std::size_t count) {
    auto* out = static_cast<unsigned char*>(to);
    while (count--) *out++ = static_cast<unsigned char>(value);
    return to;
}

int memcmp(const void* a, const void* b, std::size_t count) {
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    for (; count--; ++x, ++y)
        if (*x != *y) return *x < *y ? -1 : 1;
    return 0;
}

std::size_t strlen(const char* text) {
    const char* end = text;
    while (*end) ++end;
    return static_cast<std::size_t>(end - text);
}

std::size_t strnlen(const char* text, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && text[length]) ++length;
    return length;
}

int strcmp(const char* a, const char* b) {
    for (; *a && *a == *b; ++a, ++b) {
    }
    return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
}

int strncmp(const char* a, const char* b, std::size_t limit) {
    for (; limit > 0; --limit, ++a, ++b) {
        if (*a != *b) return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
        if (*a == '\0') return 0;
    }
    return 0;
}

char* strncpy(char* to, const char* from, std::size_t count) {
    std::size_t i = 0;
    for (; i < count && from[i]; ++i) to[i] = from[i];
    for (; i < count; ++i) to[i] = '\0';
    return to;
}

char* strchr(const char* text, int ch) {
    for (;; ++text) {
        if (*text == static_cast<char>(ch)) return const_cast<char*>(text);
        if (*text == '\0') return nullptr;
    }
}

char* strrchr(const char* text, int ch) {
    const char* found = nullptr;
    for (;; ++text) {
        if (*text == static_cast<char>(ch)) found = text;
        if (*text == '\0') return const_cast<char*>(found);
    }
}

char* strstr(const char* text, const char* word) {
    const std::size_t length = strlen(word);
    for (; *text; ++text)
        if (strncmp(text, word, length) == 0) return const_cast<char*>(text);
    return length == 0 ? const_cast<char*>(text) : nullptr;
}

}  // extern "C"
