// The placeholder rules of page texts and shortcut names on any text and
// argument: the text is never a format, so the result is the text with at
// most one "%s" replaced by the argument and each "%%" by "%", nothing else.
#include "common/text_rules.h"
#include "fuzz_input.h"

#include <cstring>
#include <vector>

namespace {

// The rule written out the slow way, to compare against.
std::string expected(const std::string& text, const std::string& argument) {
    std::string out;
    bool filled = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && !filled) {
            out += argument;
            filled = true;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::string text = in.text();
    const std::string argument = in.text();
    FUZZ_CHECK(kv::fillStringPlaceholder(text.c_str(), argument.c_str()) == expected(text, argument));
    FUZZ_CHECK(kv::fillStringPlaceholder(nullptr, argument.c_str()).empty());

    // "%P" becomes "%s" in place, once: an exact-size copy so that any write
    // past the text is caught.
    std::vector<char> page(text.begin(), text.end());
    page.push_back('\0');
    kv::applyPlaceholderRule(page.data());
    const std::size_t mark = text.find("%P");
    std::string ruled = text;
    if (mark != std::string::npos) ruled[mark + 1] = 's';
    FUZZ_CHECK(ruled == page.data());
    return 0;
}
