// Which byte sequences are characters of the ANSI code pages of the setup's
// languages, as fixed tables rather than the running system's code page, so
// a package is checked the same on every machine. Pure logic.
#pragma once
#include <string>

namespace kvcheck {

// 932, 936, 949 or 950 for the double-byte languages, 1252 for the others.
int codePageOfLanguage(const char* code);

bool isLeadByteOf(int codePage, unsigned char byte);

// Byte offset of the first byte that does not begin a character of the code
// page (a lead byte with no valid trail byte, or a byte the code page leaves
// undefined), or -1 when the whole text is valid. `why` says what is wrong.
int firstInvalidByte(const std::string& text, int codePage, std::string& why);

// True for a text made of valid UTF-8 that has at least one multi-byte
// sequence: such a file was most likely saved in UTF-8 by mistake.
bool looksLikeUtf8(const std::string& text);

}  // namespace kvcheck
