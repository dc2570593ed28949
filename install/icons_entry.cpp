#include "install/icons_entry.h"

#include <cstring>

namespace kv {

bool parseIconsEntry(const char* text, IconsEntry& entry) {
    entry = IconsEntry{};
    if (text == nullptr) return false;
    const char* firstComma = std::strchr(text, ',');
    if (firstComma == nullptr) return false;
    entry.target = String(text, static_cast<std::size_t>(firstComma - text));
    const char* rest = firstComma + 1;
    const char* secondComma = std::strchr(rest, ',');
    if (secondComma == nullptr) {
        entry.name = rest;
        return true;
    }
    entry.name = String(rest, static_cast<std::size_t>(secondComma - rest));
    entry.hasIcon = true;
    entry.icon = secondComma + 1;
    return true;
}

}  // namespace kv
