#include "common/multibyte_text.h"

#include "base/ascii_case.h"
#include "base/bounded_format.h"

#include <cstring>

namespace kv {

namespace {

template <typename Map>
String mapAsciiLetters(const char* text, LeadBytePredicate isLead, Map map) {
    String out = text ? text : "";
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(out[i]);
        if (isLead(byte) && i + 1 < out.size()) {
            ++i;  // the trail byte stays as it is
            continue;
        }
        out[i] = map(out[i]);
    }
    return out;
}

}  // namespace

String upperCaseMultibyte(const char* text, LeadBytePredicate isLead) {
    return mapAsciiLetters(text, isLead, asciiUpper);
}

String lowerCaseMultibyte(const char* text, LeadBytePredicate isLead) {
    return mapAsciiLetters(text, isLead, asciiLower);
}

bool containsMultibyte(const char* text, const char* word, LeadBytePredicate isLead) {
    if (text == nullptr || word == nullptr) return false;
    const std::size_t wordLength = std::strlen(word);
    const std::size_t length = std::strlen(text);
    for (std::size_t i = 0; i + wordLength <= length;) {
        if (std::memcmp(text + i, word, wordLength) == 0) return true;
        i += (isLead(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0') ? 2 : 1;
    }
    return false;
}

int findCharMultibyte(const char* text, int from, char ch, LeadBytePredicate isLead) {
    if (text == nullptr || from < 0) return -1;
    const int length = static_cast<int>(std::strlen(text));
    for (int i = 0; i < length;) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (isLead(byte) && i + 1 < length) {
            i += 2;
            continue;
        }
        if (i >= from && text[i] == ch) return i;
        ++i;
    }
    return -1;
}

std::size_t fittedTextLength(const char* buffer, std::size_t reported, std::size_t capacity,
                             LeadBytePredicate isLead) {
    if (buffer == nullptr || capacity == 0) return 0;
    const std::size_t length = strnlen(buffer, reported < capacity - 1 ? reported : capacity - 1);
    // A value cut by the profile functions may end in the lead byte of a
    // character whose trail byte did not fit: drop that half character.
    return characterBoundary(buffer, length + 1, length, isLead);
}

}  // namespace kv
