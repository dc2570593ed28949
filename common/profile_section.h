// Finding one value in a section that was read whole: the profile functions
// open and parse the file on every call, so a file read key by key costs one
// open per text, a section read once costs one open for all of its texts.
#pragma once
#include <cstddef>

namespace kv {

// Looks `key` up in `block`, the "name=value\0...\0\0" list that the section
// reader returned (`length` bytes before its final terminator), and copies its
// value into out[capacity] as the key reader would have: the first entry of
// that name counts (names compared without regard to ASCII case), spaces and
// tabs around the name and the value are dropped, a value enclosed in one
// kind of quotes loses them, and at most capacity - 1 bytes are kept.
// Returns the bytes copied; 0 (out empty) when the key is missing, has no
// value or has an empty one.
std::size_t profileSectionValue(const char* block, std::size_t length, const char* key, char* out,
                                std::size_t capacity);

}  // namespace kv
