// Bytes of an engine text shown safely in the tools' reports: printable
// ASCII as it is, quotes escaped, every other byte as a code. In JSON a byte
// above 0x7F becomes the code point U+0080..U+00FF of the same value, so a
// script can recover the raw bytes.
#pragma once
#include <cstdio>
#include <string>

namespace kvtools {

inline std::string escapedText(const std::string& text, bool json) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '"' || (json && c == '\\')) {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof(code), json ? "\\u%04x" : "\\x%02X", c);
            out += code;
        }
    }
    return out;
}

}  // namespace kvtools
