// A heap text owned by one of the run's text sets. Absent means null; windows
// show an absent text as empty.
#pragma once
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

namespace kv {

using OwnedText = std::unique_ptr<char[]>;

// A new text holding exactly `length` bytes of `text` plus the terminator.
inline OwnedText makeOwnedText(const char* text, std::size_t length) {
    OwnedText owned(new (std::nothrow) char[length + 1]);
    if (!owned) return owned;  // out of memory: the text stays absent
    std::memcpy(owned.get(), text, length);
    owned[length] = '\0';
    return owned;
}

inline OwnedText makeOwnedText(const char* text) {
    return makeOwnedText(text ? text : "", text ? std::strlen(text) : 0);
}

inline const char* textOrEmpty(const OwnedText& text) { return text ? text.get() : ""; }

}  // namespace kv
