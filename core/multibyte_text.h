// Text rules for byte strings in a double-byte ANSI code page: a lead byte
// and its trail byte form one character, and a trail byte is never taken for
// an ASCII letter or a separator.
#pragma once
#include "base/heap_string.h"

namespace kv {

using LeadBytePredicate = bool (*)(unsigned char byte);

// The running system's ANSI code page.
bool isAnsiLeadByte(unsigned char byte);

String upperCaseMultibyte(const char* text, LeadBytePredicate isLead = isAnsiLeadByte);
String lowerCaseMultibyte(const char* text, LeadBytePredicate isLead = isAnsiLeadByte);

// Substring test that only matches at character starts.
bool containsMultibyte(const char* text, const char* word, LeadBytePredicate isLead = isAnsiLeadByte);

// Position of the first `ch` at or after `from` that is a character of its
// own, or -1.
int findCharMultibyte(const char* text, int from, char ch, LeadBytePredicate isLead = isAnsiLeadByte);

}  // namespace kv
