#include "base/bounded_format.h"

#include <cstdarg>
#include <cstring>

namespace kv {
namespace {

// Writes into a fixed buffer and remembers whether anything did not fit.
class Sink {
public:
    Sink(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void put(char ch) {
        if (length_ + 1 < capacity_) out_[length_] = ch;
        ++length_;
    }
    void repeat(char ch, int count) {
        for (int i = 0; i < count; ++i) put(ch);
    }
    bool finish() {
        if (length_ + 1 > capacity_) {
            out_[0] = '\0';
            return false;
        }
        out_[length_] = '\0';
        return true;
    }

private:
    char* out_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};

struct Spec {
    bool left = false;
    bool zero = false;
    int width = 0;
};

void putPadded(Sink& sink, const Spec& spec, const char* text, std::size_t length, bool number) {
    const int pad = spec.width > static_cast<int>(length) ? spec.width - static_cast<int>(length) : 0;
    // A zero-padded negative number keeps its sign in front of the zeros.
    if (number && spec.zero && !spec.left && length > 0 && text[0] == '-') {
        sink.put('-');
        ++text;
        --length;
        sink.repeat('0', pad);
    } else if (!spec.left) {
        sink.repeat(spec.zero && number ? '0' : ' ', pad);
    }
    for (std::size_t i = 0; i < length; ++i) sink.put(text[i]);
    if (spec.left) sink.repeat(' ', pad);
}

// Digits of `value` in `base`, most significant first, into the end of digits[].
std::size_t numberText(char (&digits)[16], unsigned long value, unsigned base, bool upper, bool negative) {
    const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::size_t at = sizeof(digits);
    do {
        digits[--at] = symbols[value % base];
        value /= base;
    } while (value != 0);
    if (negative) digits[--at] = '-';
    return at;
}

}  // namespace

bool formatBoundedList(char* out, std::size_t capacity, const char* format, va_list args) {
    if (out == nullptr || capacity == 0) return false;
    Sink sink(out, capacity);
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            sink.put(*p);
            continue;
        }
        ++p;
        Spec spec;
        for (;; ++p) {
            if (*p == '-') spec.left = true;
            else if (*p == '0') spec.zero = true;
            else break;
        }
        while (*p >= '0' && *p <= '9') spec.width = spec.width * 10 + (*p++ - '0');
        while (*p == 'l' || *p == 'h') ++p;  // int and long are one size here
        char digits[16];
        switch (*p) {
        case '%':
            sink.put('%');
            break;
        case 'c': {
            const char ch = static_cast<char>(va_arg(args, int));
            putPadded(sink, spec, &ch, 1, false);
            break;
        }
        case 's': {
            const char* text = va_arg(args, const char*);
            if (text == nullptr) text = "(null)";
            putPadded(sink, spec, text, std::strlen(text), false);
            break;
        }
        case 'd':
        case 'i': {
            const long value = va_arg(args, long);
            const unsigned long magnitude =
                value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
            const std::size_t at = numberText(digits, magnitude, 10, false, value < 0);
            putPadded(sink, spec, digits + at, sizeof(digits) - at, true);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            const unsigned long value = va_arg(args, unsigned long);
            const std::size_t at = numberText(digits, value, *p == 'u' ? 10 : 16, *p == 'X', false);
            putPadded(sink, spec, digits + at, sizeof(digits) - at, true);
            break;
        }
        default:
            out[0] = '\0';
            return false;
        }
    }
    return sink.finish();
}

bool formatBounded(char* out, std::size_t capacity, const char* format, ...) {
    if (out == nullptr || capacity == 0) return false;
    va_list args;
    va_start(args, format);
    const bool fitted = formatBoundedList(out, capacity, format, args);
    va_end(args);
    return fitted;
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
