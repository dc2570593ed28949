#include "common/text_rules.h"

#include <cstring>

namespace kv {

void applyPlaceholderRule(char* text) {
    if (text == nullptr) return;
    char* mark = std::strstr(text, "%P");
    if (mark != nullptr) mark[1] = 's';
}

String fillStringPlaceholder(const char* text, const char* argument) {
    String out;
    if (text == nullptr) return out;
    bool filled = false;
    for (const char* p = text; *p;) {
        if (p[0] == '%' && p[1] == '%') {
            out += '%';
            p += 2;
        } else if (p[0] == '%' && p[1] == 's' && !filled) {
            out += argument ? argument : "";
            filled = true;
            p += 2;
        } else {
            out += *p++;
        }
    }
    return out;
}

}  // namespace kv
