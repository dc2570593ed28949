#include "printf_sequences.h"

#include <cctype>
#include <cstring>

namespace kvcheck {

std::vector<std::string> printfSequences(const std::string& text) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        std::size_t j = i + 1;
        while (j < text.size() && std::strchr("-+#0", text[j]) != nullptr) ++j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
        if (j < text.size() && text[j] == '.') {
            ++j;
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
        }
        if (j < text.size() && std::strchr("hlL", text[j]) != nullptr) ++j;
        if (j < text.size() && std::strchr("diouxXeEfgGcspnP%", text[j]) != nullptr) {
            found.push_back(text.substr(i, j - i + 1));
            i = j;
        }
    }
    return found;
}

}  // namespace kvcheck
