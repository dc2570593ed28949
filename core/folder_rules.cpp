#include "core/folder_rules.h"

#include "base/bounded_format.h"

#include <cstring>

namespace kv {
namespace {

// The parts between separators; a trail byte equal to "\" separates nothing.
std::vector<std::string> splitParts(const char* text, LeadBytePredicate isLead) {
    std::vector<std::string> parts;
    int start = 0;
    for (int at = findCharMultibyte(text, 0, '\\', isLead); at >= 0;
         at = findCharMultibyte(text, at + 1, '\\', isLead)) {
        parts.emplace_back(text + start, text + at);
        start = at + 1;
    }
    parts.emplace_back(text + start);
    return parts;
}

bool refusedCharacter(unsigned char byte) {
    return byte < 0x20 || std::strchr("<>:\"/|?*", byte) != nullptr;
}

// A name of one folder: not empty, not only dots and blanks (".", "..", and
// names Windows would shorten to nothing), no refused character outside a
// double-byte character.
bool isName(const std::string& part, LeadBytePredicate isLead) {
    if (part.find_first_not_of(". ") == std::string::npos) return false;
    for (std::size_t i = 0; i < part.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(part[i]);
        if (isLead(byte) && i + 1 < part.size()) {
            ++i;
            continue;
        }
        if (refusedCharacter(byte)) return false;
    }
    return true;
}

// Parts from `first` on are names; only the last may be empty (a trailing
// separator), and at least one name must be there.
bool areNames(const std::vector<std::string>& parts, std::size_t first, LeadBytePredicate isLead) {
    std::size_t end = parts.size();
    if (end > first + 1 && parts.back().empty()) --end;
    if (end <= first) return false;
    for (std::size_t i = first; i < end; ++i)
        if (!isName(parts[i], isLead)) return false;
    return true;
}

std::string comparable(const char* path, LeadBytePredicate isLead) {
    std::vector<std::string> parts = splitParts(path, isLead);
    while (parts.size() > 1 && parts.back().empty()) parts.pop_back();
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) joined += (i ? "\\" : "") + parts[i];
    return lowerCaseMultibyte(joined.c_str(), isLead);
}

}  // namespace

bool isOwnFolderPath(const char* path, const std::vector<std::string>& shared,
                     LeadBytePredicate isLead) {
    if (path == nullptr || strnlen(path, kPathCapacity) >= kPathCapacity) return false;
    const std::vector<std::string> parts = splitParts(path, isLead);
    std::size_t first = 0;
    if (parts.size() >= 2 && parts[0].empty() && parts[1].empty()) {
        // "\\server\share\...": server and share are names, the folder below.
        if (parts.size() < 4 || !isName(parts[2], isLead) || !isName(parts[3], isLead))
            return false;
        first = 4;
    } else {
        const std::string& drive = parts[0];
        const char letter = drive.empty() ? '\0' : static_cast<char>(drive[0] | 0x20);
        if (drive.size() != 2 || drive[1] != ':' || letter < 'a' || letter > 'z') return false;
        first = 1;
    }
    if (!areNames(parts, first, isLead)) return false;
    const std::string mine = comparable(path, isLead);
    for (const std::string& folder : shared)
        if (!folder.empty() && comparable(folder.c_str(), isLead) == mine) return false;
    return true;
}

bool isOwnFolderName(const char* name, LeadBytePredicate isLead) {
    if (name == nullptr || strnlen(name, kPathCapacity) >= kPathCapacity) return false;
    return areNames(splitParts(name, isLead), 0, isLead);
}

}  // namespace kv
