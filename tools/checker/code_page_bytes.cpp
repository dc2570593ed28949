#include "code_page_bytes.h"

#include <cstdio>
#include <cstring>

namespace kvcheck {
namespace {

bool in(unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }

bool isTrailByteOf(int codePage, unsigned char b) {
    switch (codePage) {
        case 932: return in(b, 0x40, 0x7E) || in(b, 0x80, 0xFC);
        case 936: return in(b, 0x40, 0x7E) || in(b, 0x80, 0xFE);
        case 949: return in(b, 0x41, 0x5A) || in(b, 0x61, 0x7A) || in(b, 0x81, 0xFE);
        case 950: return in(b, 0x40, 0x7E) || in(b, 0xA1, 0xFE);
        default: return false;
    }
}

// Single bytes that the code page leaves without a character.
bool isUndefinedSingleByte(int codePage, unsigned char b) {
    switch (codePage) {
        case 932: return b == 0x80 || b == 0xA0 || in(b, 0xFD, 0xFF);
        case 936: return b == 0xFF;
        case 949:
        case 950: return b == 0x80 || b == 0xFF;
        default: return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    }
}

std::string hex(unsigned char b) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%02X", b);
    return text;
}

}  // namespace

int codePageOfLanguage(const char* code) {
    if (code == nullptr) return 1252;
    if (std::strcmp(code, "jpn") == 0) return 932;
    if (std::strcmp(code, "chs") == 0) return 936;
    if (std::strcmp(code, "kor") == 0) return 949;
    if (std::strcmp(code, "cht") == 0) return 950;
    return 1252;
}

bool isLeadByteOf(int codePage, unsigned char b) {
    switch (codePage) {
        case 932: return in(b, 0x81, 0x9F) || in(b, 0xE0, 0xFC);
        case 936:
        case 949:
        case 950: return in(b, 0x81, 0xFE);
        default: return false;
    }
}

int firstInvalidByte(const std::string& text, int codePage, std::string& why) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (isLeadByteOf(codePage, b)) {
            if (i + 1 >= text.size()) {
                why = "lead byte " + hex(b) + " ends the text without a trail byte";
                return static_cast<int>(i);
            }
            const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
            if (!isTrailByteOf(codePage, trail)) {
                why = "lead byte " + hex(b) + " followed by " + hex(trail) + ", not a trail byte";
                return static_cast<int>(i);
            }
            ++i;
        } else if (isUndefinedSingleByte(codePage, b)) {
            why = "byte " + hex(b) + " is no character";
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool looksLikeUtf8(const std::string& text) {
    bool multiByte = false;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        int more = 0;
        if (b < 0x80) more = 0;
        else if (in(b, 0xC2, 0xDF)) more = 1;
        else if (in(b, 0xE0, 0xEF)) more = 2;
        else if (in(b, 0xF0, 0xF4)) more = 3;
        else return false;
        if (more > 0 && i + more >= text.size()) return false;
        for (int k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        multiByte = multiByte || more > 0;
        i += more + 1;
    }
    return multiByte;
}

}  // namespace kvcheck
