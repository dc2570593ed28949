// printf-style building into fixed buffers that refuses, rather than cuts,
// a result that does not fit. Formats are always literals of the program.
#pragma once
#include <cstdarg>
#include <cstddef>

namespace kv {

// Writes the formatted text into out[capacity]. Returns false, and leaves out
// empty, when the result (with its terminator) does not fit.
bool formatBounded(char* out, std::size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// The same with the arguments as a va_list. Understands %s %c %d %i %u %x %X
// and %%, the flags "-" and "0", a width and the size letters "h" and "l";
// any other conversion refuses the result.
bool formatBoundedList(char* out, std::size_t capacity, const char* format, va_list args)
    __attribute__((format(printf, 3, 0)));

template <std::size_t N, typename... Args>
bool formatInto(char (&out)[N], const char* format, Args... args)
    __attribute__((format(printf, 2, 0)));

template <std::size_t N, typename... Args>
bool formatInto(char (&out)[N], const char* format, Args... args) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
    return formatBounded(out, N, format, args...);
#pragma GCC diagnostic pop
}

// Copies text into out[capacity]; false (and out empty) when it does not fit.
bool copyBounded(char* out, std::size_t capacity, const char* text);

template <std::size_t N>
bool copyInto(char (&out)[N], const char* text) {
    return copyBounded(out, N, text);
}

// Appends text; false (out unchanged) when the result would not fit.
bool appendBounded(char* out, std::size_t capacity, const char* text);

template <std::size_t N>
bool appendInto(char (&out)[N], const char* text) {
    return appendBounded(out, N, text);
}

constexpr std::size_t kPathCapacity = 260;

// Length of the longest prefix of text[0, length) of at most `limit` bytes
// that does not end inside a double-byte character (a lead byte and the byte
// after it), given the code page's lead bytes.
std::size_t characterBoundary(const char* text, std::size_t length, std::size_t limit,
                              bool (*isLead)(unsigned char byte));

}  // namespace kv
