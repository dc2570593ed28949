// ASCII letters in either case; every other byte (a trail byte of a
// double-byte character included) is left as it is.
#pragma once
#include <cstddef>

namespace kv {

constexpr char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether text[0, length) equals the terminated `other`, ASCII letters in any case.
inline bool equalsIgnoringAsciiCase(const char* text, std::size_t length, const char* other) {
    for (std::size_t i = 0; i < length; ++i, ++other)
        if (*other == '\0' || asciiLower(text[i]) != asciiLower(*other)) return false;
    return *other == '\0';
}

// Whether two terminated texts are equal, ASCII letters in any case.
inline bool equalsIgnoringAsciiCase(const char* text, const char* other) {
    for (; *text && *other; ++text, ++other)
        if (asciiLower(*text) != asciiLower(*other)) return false;
    return *text == *other;
}

}  // namespace kv
