#include "common/folder_rules.h"

#include "base/bounded_format.h"

#include <cstring>

namespace kv {
namespace {

// One part between separators: a span of the text, not a copy, so the rules
// need no memory at all.
struct Part {
    const char* text = nullptr;
    std::size_t length = 0;
};

// A text shorter than a path buffer has fewer parts than bytes.
struct Parts {
    Part items[kPathCapacity];
    std::size_t count = 0;
    bool lastEmpty() const { return items[count - 1].length == 0; }
};

// The parts between separators; a trail byte equal to "\" separates nothing.
void splitParts(const char* text, LeadBytePredicate isLead, Parts& parts) {
    parts.count = 0;
    int start = 0;
    for (int at = findCharMultibyte(text, 0, '\\', isLead); at >= 0 && parts.count + 1 < kPathCapacity;
         at = findCharMultibyte(text, at + 1, '\\', isLead)) {
        parts.items[parts.count++] = {text + start, static_cast<std::size_t>(at - start)};
        start = at + 1;
    }
    parts.items[parts.count++] = {text + start, std::strlen(text + start)};
}

bool refusedCharacter(unsigned char byte) {
    return byte < 0x20 || std::strchr("<>:\"/|?*", byte) != nullptr;
}

// A name of one folder: not empty, not only dots and blanks (".", "..", and
// names Windows would shorten to nothing), no refused character outside a
// double-byte character.
bool isName(const Part& part, LeadBytePredicate isLead) {
    bool onlyDotsAndBlanks = true;
    for (std::size_t i = 0; i < part.length; ++i)
        if (part.text[i] != '.' && part.text[i] != ' ') onlyDotsAndBlanks = false;
    if (onlyDotsAndBlanks) return false;
    for (std::size_t i = 0; i < part.length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(part.text[i]);
        if (isLead(byte) && i + 1 < part.length) {
            ++i;
            continue;
        }
        if (refusedCharacter(byte)) return false;
    }
    return true;
}

// Parts from `first` on are names; only the last may be empty (a trailing
// separator), and at least one name must be there.
bool areNames(const Parts& parts, std::size_t first, LeadBytePredicate isLead) {
    std::size_t end = parts.count;
    if (end > first + 1 && parts.lastEmpty()) --end;
    if (end <= first) return false;
    for (std::size_t i = first; i < end; ++i)
        if (!isName(parts.items[i], isLead)) return false;
    return true;
}

// The path without trailing separators, in lower case. False when that does
// not fit a path buffer: it then equals no path that does.
bool comparable(const char* path, LeadBytePredicate isLead, String& out) {
    Parts parts;
    splitParts(path, isLead, parts);
    while (parts.count > 1 && parts.lastEmpty()) --parts.count;
    char joined[kPathCapacity] = {};
    std::size_t used = 0;
    for (std::size_t i = 0; i < parts.count; ++i) {
        const Part& part = parts.items[i];
        if (used + (i ? 1 : 0) + part.length >= sizeof(joined)) return false;
        if (i) joined[used++] = '\\';
        std::memcpy(joined + used, part.text, part.length);
        used += part.length;
    }
    out = lowerCaseMultibyte(joined, isLead);
    return true;
}

}  // namespace

bool isOwnFolderPath(const char* path, std::initializer_list<const char*> shared, LeadBytePredicate isLead) {
    if (path == nullptr || strnlen(path, kPathCapacity) >= kPathCapacity) return false;
    Parts parts;
    splitParts(path, isLead, parts);
    std::size_t first = 0;
    if (parts.count >= 2 && parts.items[0].length == 0 && parts.items[1].length == 0) {
        // "\\server\share\...": server and share are names, the folder below.
        if (parts.count < 4 || !isName(parts.items[2], isLead) || !isName(parts.items[3], isLead))
            return false;
        first = 4;
    } else {
        const Part& drive = parts.items[0];
        const char letter = drive.length == 0 ? '\0' : static_cast<char>(drive.text[0] | 0x20);
        if (drive.length != 2 || drive.text[1] != ':' || letter < 'a' || letter > 'z') return false;
        first = 1;
    }
    if (!areNames(parts, first, isLead)) return false;
    String mine;
    // Out of memory: refused rather than guessed.
    if (!comparable(path, isLead, mine) || mine.failed()) return false;
    for (const char* folder : shared) {
        String theirs;
        if (folder == nullptr || *folder == '\0' || !comparable(folder, isLead, theirs)) continue;
        if (theirs.failed() || theirs == mine) return false;
    }
    return true;
}

bool isOwnFolderName(const char* name, LeadBytePredicate isLead) {
    if (name == nullptr || strnlen(name, kPathCapacity) >= kPathCapacity) return false;
    Parts parts;
    splitParts(name, isLead, parts);
    return areNames(parts, 0, isLead);
}

}  // namespace kv
