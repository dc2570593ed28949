#include "engine/icons_entry.h"

#include <cstring>

namespace kv {

bool parseIconsEntry(const char* text, IconsEntry& entry) {
    entry = IconsEntry{};
    if (text == nullptr) return false;
    const char* firstComma = std::strchr(text, ',');
    if (firstComma == nullptr) return false;
    entry.target.assign(text, firstComma);
    const char* rest = firstComma + 1;
    const char* secondComma = std::strchr(rest, ',');
    if (secondComma == nullptr) {
        entry.name = rest;
        return true;
    }
    entry.name.assign(rest, secondComma);
    entry.hasIcon = true;
    entry.icon = secondComma + 1;
    return true;
}

}  // namespace kv
