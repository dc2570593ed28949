// Text rules for byte strings in a double-byte ANSI code page: a lead byte
// and its trail byte form one character, and a trail byte is never taken for
// an ASCII letter or a separator.
#pragma once
#include "base/heap_string.h"

#include <cstddef>

namespace kv {

using LeadBytePredicate = bool (*)(unsigned char byte);

// The running system's ANSI code page (the one rule here that asks Windows).
bool isAnsiLeadByte(unsigned char byte);

String upperCaseMultibyte(const char* text, LeadBytePredicate isLead = isAnsiLeadByte);
String lowerCaseMultibyte(const char* text, LeadBytePredicate isLead = isAnsiLeadByte);

// Substring test that only matches at character starts.
bool containsMultibyte(const char* text, const char* word, LeadBytePredicate isLead = isAnsiLeadByte);

// Position of the first `ch` at or after `from` that is a character of its
// own, or -1.
int findCharMultibyte(const char* text, int from, char ch, LeadBytePredicate isLead = isAnsiLeadByte);

// Length to keep of a value that the profile functions read into
// buffer[capacity] and reported as `reported` bytes long: never more than
// the buffer holds before its terminator or its first NUL, and never ending
// in half a double-byte character.
std::size_t fittedTextLength(const char* buffer, std::size_t reported, std::size_t capacity,
                             LeadBytePredicate isLead = isAnsiLeadByte);

}  // namespace kv
