#include "common/profile_section.h"

#include "base/ascii_case.h"

#include <cstring>

namespace kv {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The key reader's copy: the closing quote goes only when the whole value
// after the opening quote fits the buffer (so a value exactly that long loses
// one more byte, as it does there).
std::size_t copyValue(const char* value, std::size_t valueLength, char* out, std::size_t capacity) {
    bool quoted = false;
    if (valueLength >= 2 && (value[0] == '"' || value[0] == '\'') && value[valueLength - 1] == value[0]) {
        quoted = true;
        ++value;
        --valueLength;
    }
    std::size_t kept = valueLength < capacity - 1 ? valueLength : capacity - 1;
    std::memcpy(out, value, kept);
    if (quoted && capacity >= valueLength && kept > 0) --kept;
    out[kept] = '\0';
    return kept;
}

}  // namespace

std::size_t profileSectionValue(const char* block, std::size_t length, const char* key, char* out,
                                std::size_t capacity) {
    if (out == nullptr || capacity == 0) return 0;
    out[0] = '\0';
    if (block == nullptr || key == nullptr) return 0;
    const char* end = block + length;
    for (const char* entry = block; entry < end && *entry != '\0';) {
        const std::size_t entryLength = strnlen(entry, static_cast<std::size_t>(end - entry));
        const char* entryEnd = entry + entryLength;
        const char* name = entry;
        while (name < entryEnd && isBlank(*name)) ++name;
        const char* equals = name;
        while (equals < entryEnd && *equals != '=') ++equals;
        if (equals == entryEnd) equals = nullptr;
        const char* nameEnd = equals != nullptr ? equals : entryEnd;
        while (nameEnd > name && isBlank(nameEnd[-1])) --nameEnd;
        if (equalsIgnoringAsciiCase(name, static_cast<std::size_t>(nameEnd - name), key)) {
            if (equals == nullptr) return 0;  // a name without a value reads as missing
            const char* value = equals + 1;
            const char* valueEnd = entryEnd;
            while (value < valueEnd && isBlank(*value)) ++value;
            while (valueEnd > value && isBlank(valueEnd[-1])) --valueEnd;
            return copyValue(value, static_cast<std::size_t>(valueEnd - value), out, capacity);
        }
        entry = entryEnd + 1;
    }
    return 0;
}

}  // namespace kv
