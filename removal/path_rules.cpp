#include "removal/path_rules.h"

namespace kv {
namespace {

unsigned char foldAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Walks a path one character at a time: a double-byte character as a unit,
// a run of separators as one, a trailing separator as nothing.
class PathCursor {
public:
    PathCursor(const char* text, std::size_t length, LeadBytePredicate isLead)
        : text_(reinterpret_cast<const unsigned char*>(text)), length_(length), isLead_(isLead) {}

    bool atEnd() const { return at_ >= length_ || onlySeparatorsLeft(); }
    bool atSeparator() const { return !atEnd() && text_[at_] == '\\'; }
    // The current character folded, as one or two bytes; moves past it.
    unsigned next(unsigned char* second) {
        const unsigned char byte = text_[at_];
        *second = 0;
        if (byte == '\\') {
            while (at_ < length_ && text_[at_] == '\\') ++at_;
            return '\\';
        }
        ++at_;
        if (isLead_(byte) && at_ < length_) {
            *second = text_[at_++];
            return byte;
        }
        return foldAscii(byte);
    }

private:
    bool onlySeparatorsLeft() const {
        for (std::size_t i = at_; i < length_; ++i)
            if (text_[i] != '\\') return false;
        return true;
    }
    const unsigned char* text_;
    std::size_t length_;
    LeadBytePredicate isLead_;
    std::size_t at_ = 0;
};

std::size_t lengthOf(const char* text) {
    std::size_t n = 0;
    while (text[n]) ++n;
    return n;
}

// Compares the start of `path` with all of `folder`. 1: path is the folder;
// 2: path continues below it; 0: neither.
int compareStart(const char* path, std::size_t length, const char* folder, LeadBytePredicate isLead) {
    PathCursor p(path, length, isLead);
    PathCursor f(folder, lengthOf(folder), isLead);
    if (f.atEnd()) return 0;  // an unknown folder contains nothing
    while (!f.atEnd()) {
        if (p.atEnd()) return 0;
        unsigned char pSecond = 0, fSecond = 0;
        if (p.next(&pSecond) != f.next(&fSecond) || pSecond != fSecond) return 0;
    }
    if (p.atEnd()) return 1;
    return p.atSeparator() ? 2 : 0;
}

}  // namespace

bool samePath(const char* a, std::size_t aLength, const char* b, LeadBytePredicate isLead) {
    return compareStart(a, aLength, b, isLead) == 1;
}

bool pathIsBelow(const char* path, std::size_t length, const char* folder, LeadBytePredicate isLead) {
    return compareStart(path, length, folder, isLead) == 2;
}

bool pathIsDriveRoot(const char* path, std::size_t length) {
    while (length > 2 && path[length - 1] == '\\') --length;
    return length == 2 && path[1] == ':';
}

bool pathIsPlainAbsolute(const char* path, std::size_t length, LeadBytePredicate isLead) {
    if (length < 3) return false;
    const unsigned char drive = foldAscii(static_cast<unsigned char>(path[0]));
    if (drive < 'a' || drive > 'z' || path[1] != ':' || path[2] != '\\') return false;
    std::size_t componentStart = 3;
    for (std::size_t i = 3; i <= length; ++i) {
        const unsigned char byte = i < length ? static_cast<unsigned char>(path[i]) : '\\';
        if (i < length && isLead(byte)) {
            if (i + 1 >= length) return false;  // half a character at the end
            ++i;
            continue;
        }
        if (byte < 0x20 || byte == '/' || byte == '*' || byte == '?' || byte == '"' || byte == '<' ||
            byte == '>' || byte == '|' || byte == ':')
            return false;
        if (byte == '\\') {
            const std::size_t n = i - componentStart;
            const char* c = path + componentStart;
            if ((n == 1 && c[0] == '.') || (n == 2 && c[0] == '.' && c[1] == '.')) return false;
            componentStart = i + 1;
        }
    }
    return true;
}

std::size_t commandProgram(const char* command, const char** program) {
    if (command[0] == '"') {
        std::size_t end = 1;
        while (command[end] && command[end] != '"') ++end;
        *program = command + 1;
        return end - 1;
    }
    *program = command;
    return lengthOf(command);
}

}  // namespace kv
